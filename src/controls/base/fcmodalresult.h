#pragma once
// Modal results: what a button gives its window when clicked, and how a
// QDialog ends with it. A button's click runs in three steps, so that a click
// handler can still keep the dialog open (a failed check):
//
//   SetFormModalResult(this, ModalResult());   // pending on the window
//   ... OnClick and clicked() run; a handler may call
//       SetFormModalResult(button, mrNone) to keep the dialog open ...
//   EndModal(this);                              // ends a QDialog when pending
//
// mrOk ends through accept() and mrCancel through reject(), so that dialogs
// which override those still run their code and exec() answers
// QDialog::Accepted or QDialog::Rejected as before; the other results end
// through done(result) and exec() returns them as they are.

class QWidget;

namespace tw::controls {

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8
};

// The pending result of the window that holds control (mrNone when none).
int FormModalResult(const QWidget* control);
void SetFormModalResult(QWidget* control, int result);
// Ends the window's QDialog when a result is pending and clears it; true
// when the dialog was ended. Windows that are not dialogs only clear it.
bool EndModal(QWidget* control);

}  // namespace tw::controls
