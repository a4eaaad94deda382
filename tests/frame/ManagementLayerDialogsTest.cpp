#include "core/Exceptions.h"
#include "frame/ManagementLayer.h"
#include "frame/ParameterDialogs.h"
#include "tests/frame/FrameTestSupport.h"

#include <optional>

namespace {

// Answers as configured and records, for each run, the trail that an error inside the dialog would leave.
class TFakeDialogs : public IParameterDialogs {
public:
    bool RunCharacters(TCharSet& characters) override {
        Record();
        if (Confirm)
            characters = TCharSet{9, 'x'};
        return Confirm;
    }
    bool RunSearchReplace(std::string& find, std::string& replacement, TRecentList& searchList,
                          TRecentList& replaceList) override {
        Record();
        Lists = {&searchList, &replaceList};
        find = Answer;
        replacement = Answer;
        return Confirm;
    }
    bool RunAddWord(std::string& word, TRecentList& recent) override {
        Record();
        Lists = {&recent};
        word = Answer;
        return Confirm;
    }
    int RunWordCount(const std::string& title) override {
        Record();
        Title = title;
        return Confirm ? 7 : 0;
    }
    bool RunAskWords(const std::string& title, std::vector<std::string>& lines) override {
        Record();
        Title = title;
        lines = Typed;
        return Confirm;
    }

    bool Confirm = true;
    std::string Answer = "typed";
    std::vector<std::string> Typed;
    std::vector<TRecentList*> Lists;
    std::string Title;
    std::string TrailAfterInnerError;

private:
    // A failure inside the dialog unwinds to the nearest modal frame, which must be the entry point's.
    void Record() {
        PushCheckpoint("inner");
        UnwindTrail(false);
        TrailAfterInnerError = TrailText();
    }
};

class ManagementLayerDialogsTest : public FrameTest {
protected:
    // Made once the test's own settings folder is set, and gone before it is: the layer reads the settings
    // when it is made and saves them when it goes.
    void SetUp() override {
        FrameTest::SetUp();
        layer_.emplace(lists_, log_);
        layer_->SetParameterDialogs(&dialogs_);
    }
    void TearDown() override {
        layer_.reset();
        FrameTest::TearDown();
    }

    TFakeDialogs dialogs_;
    std::optional<TManagementLayer> layer_;
};

TEST_F(ManagementLayerDialogsTest, EachEntryPointMarksItsOwnFrameAndPopsIt) {
    TCharSet characters;
    std::string find, replacement, word;
    std::vector<std::string> lines;
    EXPECT_TRUE(layer_->AskCharacters(characters));
    EXPECT_EQ(dialogs_.TrailAfterInnerError, "d080");
    EXPECT_EQ(characters, (TCharSet{9, 'x'}));
    EXPECT_TRUE(layer_->AskSearchReplace(find, replacement));
    EXPECT_EQ(dialogs_.TrailAfterInnerError, "d104");
    EXPECT_EQ(dialogs_.Lists, (std::vector<TRecentList*>{&layer_->SearchList, &layer_->ReplaceList}));
    EXPECT_TRUE(layer_->AskWord(word));
    EXPECT_EQ(dialogs_.TrailAfterInnerError, "d089");
    EXPECT_EQ(dialogs_.Lists, (std::vector<TRecentList*>{&layer_->AddWordList}));
    EXPECT_EQ(layer_->AskWordCount("Delete entries with more than 'N' words"), 7);
    EXPECT_EQ(dialogs_.TrailAfterInnerError, "d037");
    EXPECT_TRUE(layer_->AskWords("Unwanted Words", lines, false));
    EXPECT_EQ(dialogs_.TrailAfterInnerError, "d016");
    EXPECT_EQ(dialogs_.Title, "Unwanted Words");
    EXPECT_TRUE(TrailEmpty());
    PushCheckpoint("outer");
    layer_->AskWordCount("");
    EXPECT_EQ(TrailText(), "outer") << "the outer frame is left unmarked";
}

TEST_F(ManagementLayerDialogsTest, AskWordsDropsEmptyLinesAndUpperCasesCharacterByCharacter) {
    dialogs_.Typed = {"shoes", "", "red  boots", "   ", "кот", "straße"};
    std::vector<std::string> lines{"old"};
    EXPECT_TRUE(layer_->AskWords("Words To LookFor", lines, true));
    EXPECT_EQ(lines, (std::vector<std::string>{"SHOES", "RED  BOOTS", "   ", "КОТ", "STRAßE"}));
    EXPECT_TRUE(layer_->AskWords("Unwanted Words", lines, false));
    EXPECT_EQ(lines, (std::vector<std::string>{"shoes", "red  boots", "   ", "кот", "straße"}));
}

TEST_F(ManagementLayerDialogsTest, CancelLeavesTheCallersDataAlone) {
    dialogs_.Confirm = false;
    std::vector<std::string> lines{"keep"};
    dialogs_.Typed = {"x"};
    TCharSet characters{1};
    EXPECT_FALSE(layer_->AskWords("Unwanted Words", lines, true));
    EXPECT_EQ(lines, (std::vector<std::string>{"keep"}));
    EXPECT_FALSE(layer_->AskCharacters(characters));
    EXPECT_EQ(characters, (TCharSet{1}));
    EXPECT_EQ(layer_->AskWordCount("t"), 0);
}

TEST_F(ManagementLayerDialogsTest, MissingDialogsAreAnErrorAtTheEntryPoint) {
    layer_->SetParameterDialogs(nullptr);
    int count = -1;
    EXPECT_THROW(count = layer_->AskWordCount("t"), Exception);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(TrailText(), "d037");
}

TEST(RecentList, RememberPutsTheNewestFormFirst) {
    TRecentList list{"Red", "Shoe", "Blue"};
    RememberRecent(list, "shoe");
    EXPECT_EQ(list, (TRecentList{"shoe", "Red", "Blue"}));
    RememberRecent(list, " shoe");
    EXPECT_EQ(list.front(), " shoe");
    EXPECT_EQ(list.size(), 4u);
}

} // namespace
