#include "view/ViewFixture.h"

#include <QTest>

namespace zenthra::testing {

void ViewFixture::Type(const Control& control, const QString& text) {
    auto* edit = Widget<QLineEdit>(control);
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, text);
    }
}

void ViewFixture::TypeBirthData() {
    Type(model.txbYear[2], "1990");
    Type(model.txbMonth[2], "6");
    Type(model.txbDay[2], "15");
    Choose(model.cboHour, kNoon);
    Choose(model.cboMinute, kMinuteZero);
    Choose(model.cboTimezone[1], kGmt);
}

}  // namespace zenthra::testing
