#include "frame/ErrorLog.h"
#include "frame/ExceptionHandler.h"
#include "frame/ExceptionHook.h"
#include "frame/Files.h"
#include "frame/SimpleException.h"
#include "tests/frame/FrameTestSupport.h"

#include <QString>

#include <stdexcept>

namespace {

class ErrorReportTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        log_.SetPath(temp_ / "app.log");
    }
};

TEST_F(ErrorReportTest, LogLineCarriesTrailAndMessageWithApostrophes) {
    PushCheckpoint("A");
    PushCheckpoint("B");
    log_.Write("bad \"x\" <&>");
    log_.Write("");
    const std::string log = ReadFile(log_.Path());
    const std::string start = "<Log DateTime=\"";
    const std::string rest = "\" App=\"\" Computer=\"" + ComputerName() +
                             "\" Login=\"\" ErrorGUID=\"A->B\" ErrorMessage=\"bad 'x' <&>\" />\r\n\r\n";
    ASSERT_TRUE(log.starts_with(start) && log.ends_with(rest)) << log;
    EXPECT_GT(log.size(), start.size() + rest.size() + 8) << "a date and a time";
}

TEST_F(ErrorReportTest, NothingIsLoggedBeforeThePathIsSet) {
    log_.SetPath("");
    log_.Write("early");
    EXPECT_FALSE(std::filesystem::exists(FallbackLogPath()));
}

TEST_F(ErrorReportTest, UnwritableLogFallsBackToSharedDocsFolder) {
    for (const std::string& path : {temp_ / "", std::string("/dev/full")}) {
        log_.SetPath(path);
        log_.Write("lost " + path);
    }
    const std::string fallback = ReadFile(FallbackLogPath());
    EXPECT_NE(fallback.find("ErrorMessage=\"lost " + (temp_ / "") + "\""), std::string::npos);
    EXPECT_NE(fallback.find("ErrorMessage=\"lost /dev/full\""), std::string::npos);
}

TEST_F(ErrorReportTest, LogFallsSilentWhenBothPlacesFail) {
    WriteFile(temp_ / "file", "x");
    setenv("XDG_DATA_HOME", (temp_ / "file").c_str(), 1);
    log_.SetPath("/dev/full");
    EXPECT_NO_THROW(log_.Write("nowhere"));
}

TEST_F(ErrorReportTest, BoxEndsWithErrorIdAndUnwindsToModalFrame) {
    QWidget* owner = reinterpret_cast<QWidget*>(0x10);
    PushCheckpoint("A");
    PushCheckpoint("B");
    MarkModalFrame();
    PushCheckpoint("C");
    TExceptionHandler(boxes_, log_).ShowErrorBox("", "Caption", owner, true);
    ASSERT_EQ(boxes_.Shown.size(), 1u);
    EXPECT_EQ(boxes_.Shown[0].Text, "\r\n\r\nErrorID: C");
    EXPECT_EQ(boxes_.Shown[0].Owner, owner);
    EXPECT_EQ(boxes_.Shown[0].Icon, TMsgIcon::Error);
    EXPECT_EQ(boxes_.Shown[0].Buttons, TMsgButtons::Ok);
    EXPECT_EQ(TrailText(), "A->B");
}

TEST_F(ErrorReportTest, BoxOnEmptyTrailShowsMessageAloneOwnedByMainWindow) {
    TExceptionHandler handler(boxes_, log_);
    handler.SetMainWindow(reinterpret_cast<QWidget*>(0x20));
    handler.ShowErrorBox("alone", "Caption", nullptr, true);
    EXPECT_EQ(boxes_.Shown.at(0).Text, "alone");
    EXPECT_EQ(boxes_.Shown.at(0).Owner, reinterpret_cast<QWidget*>(0x20));
}

TEST_F(ErrorReportTest, HandlerIsInstalledForItsLifetimeAndCopesWithAnyException) {
    {
        TExceptionHandler handler(boxes_, log_);
        ASSERT_TRUE(ApplicationExceptionHookSet());
        PushCheckpoint("d007");
        RaiseToApplicationHook(std::make_exception_ptr(ESimpleException("Shown text", "logged \"text\"")));
        RaiseToApplicationHook(std::make_exception_ptr(std::runtime_error("foreign")));
        RaiseToApplicationHook(std::make_exception_ptr(42));
    }
    EXPECT_FALSE(ApplicationExceptionHookSet());
    ASSERT_EQ(boxes_.Shown.size(), 3u);
    EXPECT_EQ(boxes_.Shown[0].Text, "Shown text\r\n\r\nErrorID: d007");
    EXPECT_EQ(boxes_.Shown[0].Caption, "Ошибка");
    EXPECT_EQ(boxes_.Shown[1].Text, "foreign");
    EXPECT_EQ(boxes_.Shown[2].Text, "Unknown exception");
    const std::string log = ReadFile(log_.Path());
    EXPECT_NE(log.find("ErrorGUID=\"d007\" ErrorMessage=\"logged 'text'\""), std::string::npos);
    EXPECT_NE(log.find("ErrorGUID=\"\" ErrorMessage=\"foreign\""), std::string::npos);
}

} // namespace
