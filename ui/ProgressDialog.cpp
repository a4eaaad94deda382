#include "ui/ProgressDialog.h"

#include "dialogs/ApplicationLook.h"
#include "ui/ODListView.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A command quicker than this shows nothing; one that shows is let handle events this often.
constexpr qint64 ShowAfterMilliseconds = 500;
constexpr qint64 PumpMilliseconds = 40;
constexpr int BarSteps = 1000;

bool Pumping = false;

struct TPumpingScope {
    TPumpingScope() { Pumping = true; }
    ~TPumpingScope() { Pumping = false; }
};

// Whether a command that has run this long and come this far shows its progress: not when it will end in a
// moment, as a window shown only for that long would just flicker.
bool Worth(qint64 elapsed, double fraction) {
    if (elapsed < ShowAfterMilliseconds)
        return false;
    return fraction <= 0 ||
           static_cast<double>(elapsed) * (1 - fraction) / fraction >= ShowAfterMilliseconds / 2;
}

} // namespace

bool ProgressPumping() {
    return Pumping;
}

// Closing the window, or Escape, asks to cancel as the button does.
class TProgressWindow : public QDialog {
public:
    explicit TProgressWindow(QWidget& owner) : QDialog(&owner) {
        setObjectName("ProgressDialog");
        setWindowTitle(ApplicationTitle);
        setWindowModality(Qt::ApplicationModal);
        setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
        auto* layout = new QVBoxLayout(this);
        Caption = new QLabel(this);
        Bar = new QProgressBar(this);
        Bar->setRange(0, BarSteps);
        Bar->setMinimumWidth(320);
        Cancel = new QPushButton("Cancel", this);
        Cancel->setObjectName("btnCancel");
        layout->addWidget(Caption);
        layout->addWidget(Bar);
        layout->addWidget(Cancel, 0, Qt::AlignRight);
        connect(Cancel, &QPushButton::clicked, this, [this] { Cancelled = true; });
    }

    void reject() override {
        if (Cancel->isEnabled())
            Cancelled = true;
    }

    QLabel* Caption;
    QProgressBar* Bar;
    QPushButton* Cancel;
    bool Cancelled = false;
};

TProgressDialog::TProgressDialog(QWidget& owner, TODListView& view) : owner_(owner), view_(view) {}

TProgressDialog::~TProgressDialog() = default;

bool TProgressDialog::Show(const QString& caption, double fraction, bool cancellable) {
    if (!started_.isValid())
        started_.start();
    if (!Visible() && !Worth(started_.elapsed(), fraction))
        return false;
    if (pumped_.isValid() && pumped_.elapsed() < PumpMilliseconds)
        return window_->Cancelled;
    if (!window_)
        window_ = std::make_unique<TProgressWindow>(owner_);
    if (!window_->isVisible()) {
        window_->Cancelled = false;
        view_.SetPaused(true);
        window_->show();
    }
    window_->Caption->setText(caption);
    window_->Bar->setValue(static_cast<int>(std::lround(fraction * BarSteps)));
    window_->Cancel->setEnabled(cancellable);
    {
        const TPumpingScope pumping;
        QCoreApplication::processEvents();
    }
    pumped_.start();
    return window_->Cancelled;
}

void TProgressDialog::End() {
    started_.invalidate();
    pumped_.invalidate();
    if (!Visible())
        return;
    window_->hide();
    window_->Cancelled = false;
    view_.SetPaused(false);
}

bool TProgressDialog::Visible() const {
    return window_ && window_->isVisible();
}
