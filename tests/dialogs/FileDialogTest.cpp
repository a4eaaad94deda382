#include "dialogs/FileDialogSetup.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

// Ends the whole test program when the guarded work has not finished in time: a hang inside the toolkit
// cannot be interrupted any other way.
class TWatchdog {
public:
    TWatchdog(std::chrono::seconds limit, const char* what)
        : thread_([this, limit, what] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "FAIL: %s did not end within %lld s\n", what,
                               static_cast<long long>(limit.count()));
                  _exit(1);
              }
          }) {}
    ~TWatchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

} // namespace

class FileDialogTest : public QObject {
    Q_OBJECT

private slots:
    // /proc holds files that never answer a read (kmsg for the superuser). Browsing into it lists every file
    // with its type and icon, and the dialog closes and goes.
    void browsingIntoProcNeverBlocks() {
        if (access("/proc/kmsg", R_OK) != 0)
            QSKIP("/proc/kmsg cannot be read here, so nothing in /proc can hold up a read");
        TWatchdog watchdog(std::chrono::seconds(60), "browsing /proc in the file dialog");
        {
            QFileDialog dialog;
            NeverReadFilesWhileBrowsing(dialog);
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setViewMode(QFileDialog::Detail);
            dialog.setDirectory("/proc");
            dialog.show();
            auto* model = dialog.findChild<QFileSystemModel*>();
            QVERIFY(model);
            const QModelIndex kmsg = model->index("/proc/kmsg");
            QVERIFY(kmsg.isValid());
            const QModelIndex type = kmsg.siblingAtColumn(2);
            QTRY_VERIFY_WITH_TIMEOUT(!model->data(type).toString().isEmpty(), 20000);
            QVERIFY(!model->fileIcon(kmsg).isNull());
            dialog.setDirectory("/proc/self");
            QTRY_VERIFY_WITH_TIMEOUT(model->index("/proc/self/status").isValid(), 20000);
        }
    }
};

QTEST_MAIN(FileDialogTest)
#include "FileDialogTest.moc"
