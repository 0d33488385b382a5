#include "export/Exports.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <utility>

#include "calendar/StrProc.h"
#include "export/CsvExport.h"
#include "export/JsonExport.h"

namespace zenthra {

namespace {

const std::array<std::pair<std::string_view, ExportFormat>, 4> kFormatNames = {
    {{"text", ExportFormat::Text},
     {"csv", ExportFormat::Csv},
     {"ics", ExportFormat::ICalendar},
     {"json", ExportFormat::Json}}};

}  // namespace

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
    for (const auto& [formatName, format] : kFormatNames) {
        if (formatName == name) {
            return format;
        }
    }
    return std::nullopt;
}

std::string ExportExtension(ExportFormat format) {
    if (format == ExportFormat::Text) {
        return "txt";
    }
    for (const auto& [formatName, named] : kFormatNames) {
        if (named == format) {
            return std::string(formatName);
        }
    }
    return "";
}

std::optional<ExportFormat> ExportFormatOfPath(const std::string& path) {
    const std::string extension = LowerCase(std::filesystem::path(path).extension().string());
    const auto format = ExportFormatNamed(extension.empty() ? "" : extension.substr(1));
    return format == ExportFormat::Text ? std::nullopt : format;
}

bool ExportedRuns::HasResults() const {
    return std::any_of(tables.begin(), tables.end(), [](const ExportedTable& t) {
        return !t.transits.transits.empty() || !t.transits.events.empty();
    });
}

std::optional<std::string> ExportText(const ExportedRuns& runs, ExportFormat format,
                                      const ICalendarOptions& options) {
    switch (format) {
        case ExportFormat::Csv:
            return TransitsCsv(runs);
        case ExportFormat::ICalendar:
            return TransitsICalendar(runs, options);
        case ExportFormat::Json:
            return TransitsJson(runs);
        default:
            return std::nullopt;
    }
}

std::optional<std::string> ExportText(const ExportedAllTransits& all, ExportFormat format) {
    switch (format) {
        case ExportFormat::Csv:
            return AllTransitsCsv(all);
        case ExportFormat::Json:
            return AllTransitsJson(all);
        default:
            return std::nullopt;
    }
}

}  // namespace zenthra
