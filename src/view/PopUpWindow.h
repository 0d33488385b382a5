// The timed notice on the desktop: a small frameless modal window that shows the notice
// model's one line and closes when the model's timer runs out or its text is clicked.
#pragma once

#include <QDialog>
#include <QTimer>

#include "ui/FrmPopUp.h"
#include "view/Twips.h"

class QLabel;

namespace zenthra {

class PopUpWindow : public QDialog {
  public:
    PopUpWindow(FrmPopUp& notice, const TwipScale& scale, QWidget* owner);

    // Shows the notice and returns once the model has hidden it.
    void Run();

    QLabel* Message() const { return message; }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Only the timer and a click end the notice, not the Escape key.
    void reject() override {}

  private:
    void CloseWhenHidden();

    FrmPopUp& notice;
    QLabel* message;
    QTimer timer;
};

}  // namespace zenthra
