#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QWidget;
class TODListView;
class TProgressWindow;

// Whether a long command is letting the window handle its events: whatever reads the lists must wait, since
// the command is changing one of them.
bool ProgressPumping();

// The progress of a long command of the main window: a small application-modal window with a bar and
// Cancel, shown once the command has run for a while. While it shows, the window goes on painting, the list
// view without its rows.
class TProgressDialog {
public:
    TProgressDialog(QWidget& owner, TODListView& view);
    ~TProgressDialog();
    TProgressDialog(const TProgressDialog&) = delete;
    TProgressDialog& operator=(const TProgressDialog&) = delete;

    // Shows and handles events now and then; true once Cancel was pressed.
    bool Show(const QString& caption, double fraction, bool cancellable);
    void End();
    bool Visible() const;

private:
    QWidget& owner_;
    TODListView& view_;
    std::unique_ptr<TProgressWindow> window_;
    QElapsedTimer started_;
    QElapsedTimer pumped_;
};
