// The places command and --birth-place: zenthra-cli run as a process, and the table itself.
#include <gtest/gtest.h>

#include "cli/CliOptions.h"
#include "cli/PlacesCommand.h"
#include "support/Process.h"

namespace zenthra {
namespace {

testing::ProcessResult RunCli(const std::string& arguments) {
    return testing::RunCommand(std::string(ZENTHRA_CLI) + " " + arguments);
}

const std::string kHint = "Try 'zenthra-cli --help'.\n";

// A personal run of one month whose birth is given by place.
const std::string kBirthByPlace =
    "run --personal --first Mars --second Sun --start 2009-07-01 --end 2009-07-31 "
    "--birth 1985-08-13 --birth-time 12:00 ";

TEST(PlacesCommand, ListsTheMatchesAsATable) {
    const auto illinois = RunCli("places Springfield, Illinois");
    EXPECT_EQ(illinois.status, 0);
    EXPECT_EQ(illinois.errors, "");
    EXPECT_EQ(illinois.out,
              "Place        Region    Country                    Latitude  Longitude  Zone       "
              "      Population\n"
              "Springfield  Illinois  United States of America  39.8017 N  89.6437 W  "
              "America/Chicago      116565\n");

    const auto trento = RunCli("places 'Trento'");
    EXPECT_EQ(trento.status, 0);
    const size_t second = trento.out.find('\n') + 1;
    // The place column is as wide as "Trentola-Ducenta", further down.
    EXPECT_EQ(trento.out.substr(second, trento.out.find('\n', second) - second),
              "Trento            Trentino-Alto Adige  Italy                     46.0679 N   "
              "11.1211 E  Europe/Rome            80425");
}

TEST(PlacesCommand, NothingFoundIsRefusedAndABadNameIsAUsageError) {
    const auto none = RunCli("places Xyzzyqx");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.errors, "zenthra-cli: No place in the atlas matches \"Xyzzyqx\".\n");

    const auto empty = RunCli("places '  '");
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.errors, "zenthra-cli: No place name was given.\n" + kHint);

    const auto tooLong = RunCli("places " + std::string(201, 'x'));
    EXPECT_EQ(tooLong.status, 2);
    EXPECT_EQ(tooLong.errors,
              "zenthra-cli: The place name is longer than 200 characters.\n" + kHint);

    const auto control = RunCli("places \"$(printf 'Ber\\tlin\\001')\"");
    EXPECT_EQ(control.status, 2);
    EXPECT_EQ(control.errors,
              "zenthra-cli: The place name must be text without control characters.\n" + kHint);

    const auto bare = RunCli("places");
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.errors, "zenthra-cli: places needs a place name\n" + kHint);

    const auto option = RunCli("places Berlin --tz GMT");
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.errors, "zenthra-cli: unknown option '--tz'\n" + kHint);
}

TEST(PlacesCommand, TheWordsOfANameNeedNoQuotes) {
    const CliParse parse = ParseCommandLine({"places", "Springfield,", "Illinois"});
    EXPECT_EQ(parse.error, "");
    EXPECT_EQ(parse.options.command, CliCommand::Places);
    EXPECT_EQ(parse.options.placeQuery, "Springfield, Illinois");
}

TEST(PlacesTable, AlignsCharactersNotBytesAndNamesHemispheres) {
    const std::vector<Place> places = {
        {"São Paulo", "São Paulo", "Brazil", "BR", -23.5475, -46.6361, 10021295,
         "America/Sao_Paulo"},
        {"Apia", "", "Samoa", "WS", -13.8333, -171.7667, 40407, "Pacific/Apia"}};
    EXPECT_EQ(PlacesTable(places),
              "Place      Region     Country   Latitude   Longitude  Zone               "
              "Population\n"
              "São Paulo  São Paulo  Brazil   23.5475 S   46.6361 W  America/Sao_Paulo    "
              "10021295\n"
              "Apia                  Samoa    13.8333 S  171.7667 W  Pacific/Apia            "
              "40407\n");
    EXPECT_EQ(PlacesTable({}), "Place  Region  Country  Latitude  Longitude  Zone  Population\n");
}

TEST(BirthPlaceOption, TakesTheFirstMatchAndSaysWhichOnStandardError) {
    const auto berlin = RunCli(kBirthByPlace + "--birth-place Berlin");
    EXPECT_EQ(berlin.errors.substr(0, berlin.errors.find('\n') + 1),
              "zenthra-cli: birth place: Berlin, Berlin, Germany (52.5244 N, 13.4105 E, "
              "Europe/Berlin)\n");

    const auto springfield = RunCli(kBirthByPlace + "--birth-place 'Springfield, Illinois'");
    EXPECT_EQ(springfield.errors.substr(0, springfield.errors.find('\n') + 1),
              "zenthra-cli: birth place: Springfield, Illinois, United States of America "
              "(39.8017 N, 89.6437 W, America/Chicago)\n");
}

TEST(BirthPlaceOption, NoMatchOrAClashIsAUsageError) {
    const auto none = RunCli(kBirthByPlace + "--birth-place Xyzzyqx");
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.errors,
              "zenthra-cli: --birth-place: No place in the atlas matches \"Xyzzyqx\".\n" + kHint);

    const auto empty = RunCli(kBirthByPlace + "--birth-place ''");
    EXPECT_EQ(empty.status, 2);
    EXPECT_EQ(empty.errors, "zenthra-cli: --birth-place: No place name was given.\n" + kHint);

    const auto both = RunCli(kBirthByPlace + "--birth-place Berlin --birth-tz GMT");
    EXPECT_EQ(both.status, 2);
    EXPECT_EQ(both.errors,
              "zenthra-cli: --birth-place and --birth-tz exclude each other\n" + kHint);

    const auto world =
        RunCli("run --world --start 2009-01-01 --end 2009-12-31 --birth-place Berlin");
    EXPECT_EQ(world.status, 2);
    EXPECT_EQ(world.errors, "zenthra-cli: --birth-place is not used by run --world\n" + kHint);
}

}  // namespace
}  // namespace zenthra
