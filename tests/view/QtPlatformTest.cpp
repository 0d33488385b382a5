// The desktop side of the platform: message boxes, the file chooser, the timed notice and
// the screen.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "ui/FrmPopUp.h"
#include "view/PopUpWindow.h"
#include "view/ViewFixture.h"

namespace zenthra::testing {
namespace {

// Runs `check` on the first modal dialog of type D that opens.
template <typename D>
void WhenOpen(std::function<void(D&)> check) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, check] {
        if (auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
            dialog != nullptr && dialog->isVisible()) {
            poll->stop();
            poll->deleteLater();
            check(*dialog);
        }
    });
    poll->start();
}

TEST(QtPlatformBoxes, ShowTheExactTextIconAndTitle) {
    QtPlatform platform(ZENTHRA_DATA_DIR);
    BoxAnswerer boxes;
    EXPECT_EQ(platform.MsgBox("Line one\r\nLine two", MsgIcon::Exclamation, "Invalid input",
                              MsgButtons::Ok),
              MsgAnswer::Ok);
    platform.MsgBox("Noted.", MsgIcon::Information, "Done", MsgButtons::Ok);
    platform.MsgBox("<b>plain</b>", MsgIcon::None, "", MsgButtons::Ok);
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0],
              (ShownBox{"Line one\nLine two", QMessageBox::Warning, "Invalid input"}));
    EXPECT_EQ(boxes.shown[1], (ShownBox{"Noted.", QMessageBox::Information, "Done"}));
    // An empty title is the program's name; text is never read as markup.
    EXPECT_EQ(boxes.shown[2], (ShownBox{"<b>plain</b>", QMessageBox::NoIcon, "Zenthra"}));
}

TEST(QtPlatformBoxes, QuestionsDefaultToNoAndAnswerWithTheButtonClicked) {
    QtPlatform platform(ZENTHRA_DATA_DIR);
    BoxAnswerer boxes;
    boxes.Queue(QMessageBox::Yes);
    boxes.Queue(QMessageBox::No);
    EXPECT_EQ(platform.MsgBox("Save?", MsgIcon::None, "Quit", MsgButtons::YesNoCancel),
              MsgAnswer::Yes);
    EXPECT_EQ(platform.MsgBox("Save?", MsgIcon::None, "Quit", MsgButtons::YesNoCancel),
              MsgAnswer::No);
    // Unqueued: the escape button, Cancel.
    EXPECT_EQ(platform.MsgBox("Save?", MsgIcon::None, "Quit", MsgButtons::YesNoCancel),
              MsgAnswer::Cancel);
    EXPECT_EQ(boxes.defaults, std::vector<QMessageBox::StandardButton>(3, QMessageBox::No));
}

TEST(QtPlatformFiles, FiltersBecomeQtNameFilters) {
    EXPECT_EQ(QtNameFilters("HTML files *.htm, *.html | *.htm;*.html"),
              QStringList{"HTML files *.htm, *.html (*.htm *.html)"});
    EXPECT_EQ(QtNameFilters("Text files *.txt | *.txt"), QStringList{"Text files *.txt (*.txt)"});
    EXPECT_EQ(QtNameFilters("Text|*.txt|All|*.*"), (QStringList{"Text (*.txt)", "All (*.*)"}));
    EXPECT_EQ(QtNameFilters(""), QStringList{});
}

TEST(QtPlatformFiles, TheSaveDialogTakesANewNameAndCancelGivesNone) {
    QtPlatform platform(ZENTHRA_DATA_DIR);
    const QString folder = QDir::tempPath();
    const QString fresh = folder + "/zenthra-view-test-new.htm";
    QFile::remove(fresh);

    WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Specify file for HTML");
        EXPECT_EQ(dialog.nameFilters(), QStringList{"HTML files *.htm, *.html (*.htm *.html)"});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(dialog.labelText(QFileDialog::Accept), "&Save");
        EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
        dialog.setDirectory(folder);
        dialog.selectFile(fresh);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(platform.ShowSave("Specify file for HTML", "HTML files *.htm, *.html | *.htm;*.html",
                                "html"),
              fresh.toStdString());

    WhenOpen<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(platform.ShowSave("Specify output file", "Text files *.txt | *.txt", "txt"), "");
}

// A name typed without an extension gets it, and the question before replacing names the
// file with its extension: refused, the dialog stays open; confirmed, the name is given.
TEST(QtPlatformFiles, TheSaveDialogAsksBeforeReplacingTheFileWithItsExtension) {
    QtPlatform platform(ZENTHRA_DATA_DIR);
    BoxAnswerer boxes;
    const QString folder = QDir::tempPath();
    const QString existing = folder + "/zenthra-view-test-existing.txt";
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    boxes.Queue(QMessageBox::No);
    boxes.Queue(QMessageBox::Yes);
    int accepted = 0;
    std::function<void()> type;
    type = [&] {
        WhenOpen<QFileDialog>([&](QFileDialog& dialog) {
            dialog.setDirectory(folder);
            dialog.selectFile("zenthra-view-test-existing");
            ++accepted;
            if (accepted == 1) {
                type();  // the dialog is still open after a No
            }
            static_cast<QDialog&>(dialog).accept();
        });
    };
    type();
    const auto chosen = platform.ShowSave("Specify output file", "Text files *.txt | *.txt", "txt");
    EXPECT_EQ(chosen, existing.toStdString());
    EXPECT_EQ(accepted, 2);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[0].text.find("zenthra-view-test-existing.txt already exists."),
              std::string::npos)
        << boxes.shown[0].text;
    QFile::remove(existing);
}

TEST(QtPlatformScreen, IsMeasuredInTwips) {
    QtPlatform platform(ZENTHRA_DATA_DIR);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const double twipsPerPixel = 1440 / QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    const Geometry size = platform.ScreenSize();
    EXPECT_EQ(size.width, std::lround(screen.width() * twipsPerPixel));
    EXPECT_EQ(size.height, std::lround(screen.height() * twipsPerPixel));
}

class PopUpTest : public ::testing::Test {
  protected:
    QtPlatform platform{ZENTHRA_DATA_DIR};
    Geometry mainWindow{1500, 900, 11000, 6250};
    FrmPopUp notice{platform, mainWindow};
};

TEST_F(PopUpTest, TheNoticeClosesByItsTimer) {
    QElapsedTimer clock;
    bool seen = false;
    WhenOpen<PopUpWindow>([&](PopUpWindow& window) {
        seen = true;
        EXPECT_EQ(window.Message()->text(), "Done");
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(window.size(), QSize(80, 20));    // 1200 x 300 twips
        EXPECT_EQ(window.pos(), QPoint(447, 203));  // (6700, 3050) twips
    });
    clock.start();
    notice.PopUp2("Done", 1200, 300, 300, 2150, 5200);
    EXPECT_TRUE(seen);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(notice.visible);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PopUpTest, AClickClosesTheNoticeAtOnce) {
    QElapsedTimer clock;
    WhenOpen<PopUpWindow>(
        [](PopUpWindow& window) { QTest::mouseClick(window.Message(), Qt::LeftButton); });
    clock.start();
    notice.PopUp2("Done", 1200, 300, 20000, 2150, 5200);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_FALSE(notice.visible);
}

}  // namespace
}  // namespace zenthra::testing
