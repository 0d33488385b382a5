// The birth place field as a user meets it: typing offers the atlas's places in a pop-up,
// choosing one fills the birth zone, and a name that matches nothing is told in a box.
#include <QAbstractItemView>
#include <QCompleter>
#include <QTest>

#include "view/ViewFixture.h"

namespace zenthra::testing {
namespace {

using BirthPlaceViewTest = ViewFixture;

TEST_F(BirthPlaceViewTest, TypingOffersThePlacesAndChoosingOneFillsTheBirthZone) {
    auto* place = Widget<QLineEdit>(model.txbBirthPlace);
    EXPECT_EQ(place->placeholderText(), "Birth place, e.g. Rome");
    place->setFocus();
    QTest::keyClicks(place, "Trento");
    QCompleter* completer = place->completer();
    ASSERT_NE(completer, nullptr);
    ASSERT_GE(completer->model()->rowCount(), 3);
    EXPECT_EQ(completer->model()->index(1, 0).data().toString(), "Trento, Caraga, Philippines");
    EXPECT_TRUE(completer->popup()->isVisible());

    emit completer->activated(QString("Trento, Caraga, Philippines"));
    EXPECT_EQ(Text(model.txbBirthZone), "Asia/Manila");
    EXPECT_EQ(place->text(), "Trento, Caraga, Philippines");
    EXPECT_EQ(place->toolTip(), "Trento, Caraga, Philippines: 8.0458 N, 126.0636 E, Asia/Manila");
}

TEST_F(BirthPlaceViewTest, EnterWhileThePlacesAreOfferedTakesTheBestMatch) {
    auto* place = Widget<QLineEdit>(model.txbBirthPlace);
    place->setFocus();
    QTest::keyClicks(place, "Berlin");
    QAbstractItemView* popup = place->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(Text(model.txbBirthZone), "Europe/Berlin");
    EXPECT_EQ(place->text(), "Berlin, Berlin, Germany");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BirthPlaceViewTest, EnterOnANameThatMatchesNothingShowsABox) {
    auto* place = Widget<QLineEdit>(model.txbBirthPlace);
    place->setFocus();
    QTest::keyClicks(place, "Xyzzyqx");
    QTest::keyClick(place, Qt::Key_Return);
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{{"No place in the atlas matches \"Xyzzyqx\".",
                                                   QMessageBox::Warning, "Birth place"}}));
    EXPECT_EQ(place->toolTip(), "");
}

}  // namespace
}  // namespace zenthra::testing
