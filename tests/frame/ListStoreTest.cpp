#include "frame/ListStore.h"
#include "core/BusinessLogicLayer.h"
#include "core/KeyItems.h"
#include "core/ListFile.h"
#include "frame/ListSaver.h"
#include "tests/frame/FrameTestSupport.h"

#include <chrono>
#include <csignal>
#include <mutex>
#include <random>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// What a saved state should give back, as plain values.
struct TModelList {
    std::string Name;
    std::uint8_t SortOrder = 0;
    std::vector<std::string> Texts;
    bool operator==(const TModelList&) const = default;
};
struct TModel {
    std::vector<TModelList> Lists;
    TKeptSession Session;
    bool operator==(const TModel&) const = default;
};

std::unique_ptr<TKeyItems> MakeList(const TModelList& model) {
    auto list = std::make_unique<TKeyItems>();
    list->Name = model.Name;
    list->SortOrder = model.SortOrder;
    for (const auto& text : model.Texts)
        list->AddKeyword(text);
    return list;
}

TModel ModelOf(const TKeptState& state) {
    TModel model;
    for (const auto& list : state.Lists) {
        TModelList& each = model.Lists.emplace_back();
        each.Name = list->Name;
        each.SortOrder = list->SortOrder;
        for (int i = 0; i < list->Count(); ++i)
            each.Texts.emplace_back(list->GetKeyItem(i).Text());
    }
    model.Session = state.Session;
    return model;
}

// Stages every list and commits; answers which lists were written.
std::vector<bool> Save(TListStore& store, const TModel& model) {
    std::vector<bool> written;
    for (std::size_t i = 0; i < model.Lists.size(); ++i)
        written.push_back(store.Stage(static_cast<int>(i), *MakeList(model.Lists[i])));
    store.Commit(static_cast<int>(model.Lists.size()), model.Session);
    return written;
}

TModel Loaded(const std::string& folder) {
    TListStore store(folder);
    auto state = store.Load();
    EXPECT_TRUE(state.has_value());
    return state ? ModelOf(*state) : TModel{};
}

std::string RandomText(std::mt19937& rng) {
    std::string text(rng() % 24, ' ');
    for (auto& c : text)
        c = static_cast<char>(rng() % 4 == 0 ? rng() % 256 : 'a' + rng() % 6);
    return text;
}

// Six lists; the changes of a step touch one or two of them, the current list and its highlight.
TModel Changed(TModel model, std::uint32_t seed, std::size_t entries) {
    std::mt19937 rng(seed);
    if (model.Lists.empty())
        for (char letter = 'A'; letter <= 'F'; ++letter)
            model.Lists.push_back({std::string("List-") + letter, 0, {}});
    for (int touched = 0; touched < 2; ++touched) {
        TModelList& list = model.Lists[rng() % model.Lists.size()];
        list.SortOrder = static_cast<std::uint8_t>(rng() % 5);
        list.Texts.resize(rng() % (entries + 1));
        for (auto& text : list.Texts)
            if (rng() % 3 == 0)
                text = RandomText(rng);
    }
    model.Session.CurrentList = static_cast<int>(rng() % model.Lists.size());
    std::vector<int> rows;
    const auto count = model.Lists[static_cast<std::size_t>(model.Session.CurrentList)].Texts.size();
    for (std::size_t row = 0; row < count; ++row)
        if (rng() % 3 == 0)
            rows.push_back(static_cast<int>(row));
    model.Session.Highlighted = RunsOf(rows);
    return model;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(ListStore, RoundTripKeepsListsNamesSortOrdersAndHighlight) {
    TempFolder temp;
    TModel model = Changed({}, 7, 300);
    model.Lists[1].Texts = {"", std::string(3 << 20, 'x'), "Ünïcödé 😀", std::string("nul\0byte", 8), ""};
    model.Lists[1].SortOrder = 4;
    model.Lists[2].Texts.clear();
    model.Session = {1, RunsOf({0, 1, 3})};
    TListStore store(temp / "Lists");
    EXPECT_FALSE(store.Load());
    Save(store, model);
    EXPECT_EQ(Loaded(temp / "Lists"), model);
}

TEST(ListStore, OnlyChangedListsAreRewritten) {
    TempFolder temp;
    const std::string folder = temp / "Lists";
    TModel model = Changed({}, 11, 50);
    for (auto& list : model.Lists)
        list.Texts = {"alpha", "beta", list.Name};
    TListStore store(folder);
    EXPECT_EQ(Save(store, model), std::vector<bool>(6, true));
    const auto before = FilesIn(folder);
    // Same size, name and sort order: only the content tells.
    model.Lists[3].Texts[1] = "BETA";
    model.Session.Highlighted = {{2, 1}};
    std::vector<bool> expected(6, false);
    expected[3] = true;
    EXPECT_EQ(Save(store, model), expected);
    const auto after = FilesIn(folder);
    ASSERT_EQ(after.size(), before.size());
    std::vector<std::string> replaced;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::back_inserter(replaced));
    EXPECT_EQ(replaced.size(), 1u);
    EXPECT_TRUE(replaced.at(0).starts_with("list-3-"));
    EXPECT_EQ(Loaded(folder), model);
    // Nothing changed: nothing is written, not even the state.
    const auto stamp = fs::last_write_time(folder + "/lists.state");
    EXPECT_EQ(Save(store, model), std::vector<bool>(6, false));
    EXPECT_EQ(fs::last_write_time(folder + "/lists.state"), stamp);
}

TEST(ListStore, EveryDamageIsFoundAndTheDamagedCopyIsSetAside) {
    TempFolder temp;
    const std::string folder = temp / "Lists";
    TModel model = Changed({}, 3, 4);
    model.Lists[0].Texts = {"ab", "c"};
    model.Session = {0, {{1, 1}}};
    {
        TListStore store(folder);
        Save(store, model);
    }
    const auto refused = [&](const std::string& what) {
        TListStore store(folder);
        try {
            store.Load();
        } catch (const Exception&) {
            return true;
        }
        ADD_FAILURE() << what;
        return false;
    };
    for (const auto& name : FilesIn(folder)) {
        const std::string path = folder + "/" + name;
        const std::string sound = ReadFile(path);
        for (std::size_t i = 0; i < sound.size(); ++i) {
            std::string damaged = sound;
            damaged[i] = static_cast<char>(damaged[i] ^ 0xFF);
            WriteFile(path, damaged);
            if (!refused(name + " with byte " + std::to_string(i) + " flipped"))
                break;
        }
        for (std::size_t size = 0; size < sound.size(); ++size) {
            WriteFile(path, sound.substr(0, size));
            if (!refused(name + " cut to " + std::to_string(size)))
                break;
        }
        fs::remove(path);
        fs::create_directory(path);
        refused(name + " replaced by a folder");
        fs::remove(path);
        if (name != "lists.state")
            refused(name + " missing");
        WriteFile(path, sound);
        // The superuser reads every file whatever its mode.
        if (geteuid() != 0) {
            chmod(path.c_str(), 0);
            refused(name + " unreadable");
            chmod(path.c_str(), 0600);
        }
        EXPECT_EQ(Loaded(folder), model);
    }
    const std::string state = ReadFile(folder + "/lists.state");
    WriteFile(folder + "/lists.state", state.substr(0, state.size() / 2));
    TListStore store(folder);
    EXPECT_THROW(store.Load(), Exception);
    const std::string aside = store.SetAside();
    EXPECT_EQ(aside, folder + ".corrupt");
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(ReadFile(aside + "/lists.state"), state.substr(0, state.size() / 2));
    // A second damaged copy does not replace the first.
    fs::create_directory(folder);
    EXPECT_EQ(store.SetAside(), folder + ".corrupt-2");
}

// A save killed at any moment leaves the state before it or the state after it, exactly.
TEST(ListStore, SavesKilledAtRandomMomentsLeaveTheOldOrTheNewState) {
    TempFolder temp;
    const std::string folder = temp / "Lists";
    constexpr std::size_t Entries = 3000;
    TModel current = Changed({}, 1, Entries);
    {
        TListStore store(folder);
        Save(store, current);
    }
    const auto saveInChild = [&](const TModel& next) {
        const pid_t child = fork();
        if (child == 0) {
            TListStore store(folder);
            store.Load();
            Save(store, next);
            _exit(0);
        }
        return child;
    };
    // How long one save takes, so the kills spread over all of it.
    auto start = std::chrono::steady_clock::now();
    TModel next = Changed(current, 2, Entries);
    int status = 0;
    waitpid(saveInChild(next), &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    current = next;
    const auto span =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    std::mt19937 rng(5);
    // The kills spread over a window that follows how long saves take now: it widens while kills keep
    // landing before the end and narrows while saves keep finishing, so both outcomes stay frequent.
    double window = static_cast<double>(span.count()) * 5 / 4 + 1;
    int keptOld = 0, tookNew = 0;
    for (std::uint32_t round = 0; round < 200; ++round) {
        next = Changed(current, 100 + round, Entries);
        const pid_t child = saveInChild(next);
        usleep(static_cast<useconds_t>(rng() % static_cast<std::uint32_t>(window)));
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        const TModel found = Loaded(folder);
        if (found == next) {
            current = next;
            ++tookNew;
            window = std::max(window * 0.9, 2.0);
        } else {
            ASSERT_EQ(found, current) << "round " << round;
            ++keptOld;
            window *= 1.1;
        }
    }
    std::cout << "killed saves: " << keptOld << " left the old state, " << tookNew << " the new one\n";
    EXPECT_GT(keptOld, 20);
    EXPECT_GT(tookNew, 20);
}

// A command that starts while the saver stages the lists gets them within milliseconds; the old save stays
// in effect, nothing staged is left behind, and the save asked for after the command is complete.
TEST(ListSaver, ACommandMidStagingMakesTheSaveGiveUpCleanly) {
    TempFolder temp;
    const std::string folder = temp / "Lists";
    TBusinessLogicLayer layer;
    for (int i = 0; i < 2; ++i)
        layer.NewList().Name = "List-" + std::to_string(i);
    auto fill = [&](char letter, int entries) {
        TKeyItems& list = layer.GetList(0);
        list.Clear();
        for (int i = 0; i < entries; ++i)
            list.AddKeyword(std::string(40, letter) + std::to_string(i));
    };
    auto model = [&] {
        TKeptState state;
        for (int i = 0; i < layer.ListCount(); ++i) {
            state.Lists.push_back(std::make_unique<TKeyItems>());
            layer.GetList(i).CopyEntriesTo(*state.Lists.back());
            state.Lists.back()->Name = layer.GetList(i).Name;
        }
        return ModelOf(state);
    };
    TListStore store(folder);
    TListSaver saver(store, layer);
    fill('a', 1000);
    saver.Request({});
    saver.Flush();
    TModel old = model();
    std::vector<std::string> oldFiles = FilesIn(folder);
    ASSERT_EQ(Loaded(folder), old);

    int gaveUp = 0;
    for (char letter = 'b'; letter < 'z' && gaveUp == 0; ++letter) {
        fill(letter, 2'000'000);
        saver.Request({});
        // Staging has begun once a file of the new generation shows up.
        const auto until = std::chrono::steady_clock::now() + TListSaver::QuietTime * 20;
        while (FilesIn(folder) == oldFiles && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
        saver.Hold();
        const auto asked = std::chrono::steady_clock::now();
        const std::scoped_lock lists(saver.ListsLock());
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::milliseconds(50));
        if (FilesIn(folder) != oldFiles) {
            // The staging was over first; its save is let through to start again from it.
            saver.Flush();
            old = model();
            oldFiles = FilesIn(folder);
            continue;
        }
        ++gaveUp;
        EXPECT_EQ(Loaded(folder), old);
        fill('a', 1000);
    }
    ASSERT_EQ(gaveUp, 1) << "no save was caught staging";
    layer.GetList(1).AddKeyword("after the command");
    saver.Request({1, RunsOf({0})});
    saver.Flush();
    EXPECT_FALSE(saver.TakeFailure());
    TModel now = model();
    now.Session = {1, RunsOf({0})};
    EXPECT_EQ(Loaded(folder), now);
}

TEST(ListFile, ChecksumDoesNotDependOnHowTheStreamIsCut) {
    std::mt19937 rng(9);
    std::string bytes(1000, ' ');
    for (auto& c : bytes)
        c = static_cast<char>(rng());
    for (std::size_t length = 0; length <= 80; ++length) {
        TChecksum whole;
        whole.Add(std::string_view(bytes).substr(0, length));
        for (std::size_t cut = 0; cut <= length; ++cut) {
            TChecksum pieces;
            pieces.Add(std::string_view(bytes).substr(0, cut));
            pieces.Add(std::string_view(bytes).substr(cut, length - cut));
            ASSERT_EQ(pieces.Value(), whole.Value()) << length << " cut at " << cut;
        }
    }
}
