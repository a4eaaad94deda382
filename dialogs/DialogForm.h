#pragma once

#include "dialogs/ButtonEx.h"

#include <QDialog>

// Width a window needs to show title whole in its title bar.
int TitleBarWidth(const QString& title);

// The base of the program's dialogs: a fixed-size modal window with the window colour and font, run in the
// middle of the screen, with OK and Cancel as image buttons that answer the mouse only. Esc never cancels;
// the close box means Cancel.
class TDialogForm : public QDialog {
    Q_OBJECT
public:
    TDialogForm(const QString& title, QSize clientSize);

    // The main window: the dialog runs on its screen and stands in front of it. Null: the primary screen.
    QWidget* OwnerWindow = nullptr;

protected:
    // Shows the dialog modally; true when it was closed with OK.
    bool RunModally();
    // The OK button ("ButtonEx1" unless named otherwise) and the Cancel button "ButtonEx2".
    void AddOkCancel(QPoint ok, QPoint cancel, const char* okName = "ButtonEx1");
    // An image button of the dialogs' strip with its caption centred.
    TButtonEx* AddImageButton(const char* name, const QString& caption, QPoint at);
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A title longer than the design's width widens the dialog, so that the title bar shows it whole.
    void FitTitle();

    TImageStrip* strip_;
    int designWidth_;
};
