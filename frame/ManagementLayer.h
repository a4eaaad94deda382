#pragma once

#include "core/CharSet.h"
#include "core/TextEncoding.h"
#include "frame/RecentList.h"

#include <cstdint>
#include <string>
#include <vector>

class IMainWindowBounds;
class IParameterDialogs;
class TBusinessLogicLayer;
class TErrorLog;
class TKeyItems;
class TRegistryEx;

// The most megabytes the undo memory setting takes.
inline constexpr std::int32_t MaxUndoMemory = 1 << 24;

// Layer 2: the settings that outlive a run (paths, the word-count limit, the main window's bounds, each
// list's colours and font, the recent-entries lists) and the entry points that run the parameter dialogs.
class TManagementLayer {
public:
    // Folders, UTF-8.
    std::string ImportPath;
    std::string ExportPath;
    std::int32_t WordCountLimit = 5;
    // How Import reads a file without a byte-order mark, and what the export to a file writes.
    TTextEncoding ImportEncoding{TEncoding::Automatic};
    TTextEncoding ExportEncoding{TEncoding::Utf8};
    // Whether the six lists are kept for the next start.
    bool KeepLists = true;
    // Megabytes the undo levels of all lists may take together; 0 for the automatic share, which the main
    // window puts in AutomaticUndoMemory (megabytes, not stored) for the settings dialog to show.
    std::int32_t UndoMemory = 0;
    std::int32_t AutomaticUndoMemory = 0;
    TRecentList AddWordList;
    TRecentList SearchList;
    TRecentList ReplaceList;

    // Loads the settings at once; each list's looks are stored with the settings. Loading the settings
    // points log next to the program.
    TManagementLayer(TBusinessLogicLayer& lists, TErrorLog& log);
    // Saves the settings once more.
    ~TManagementLayer();
    TManagementLayer(const TManagementLayer&) = delete;
    TManagementLayer& operator=(const TManagementLayer&) = delete;

    // Neither raises: a failure ends the load or save where it happened and leaves the rest as it was.
    void LoadSettings();
    void SaveSettings();
    void OpenHomePage() const;

    // The main window whose bounds are loaded and saved; null while there is none.
    void SetMainWindow(IMainWindowBounds* window) { mainWindow_ = window; }
    void SetParameterDialogs(IParameterDialogs* dialogs) { dialogs_ = dialogs; }

    bool AskCharacters(TCharSet& characters);
    bool AskSearchReplace(std::string& find, std::string& replacement);
    bool AskWord(std::string& word);
    // 0 when cancelled.
    int AskWordCount(const std::string& title);
    // On confirmation, lines holds the dialog's non-empty lines, upper-cased by the code page when asked.
    bool AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase);

private:
    void LoadMainKey(TRegistryEx& registry);
    void SaveMainKey(TRegistryEx& registry) const;
    static void LoadRecentList(TRegistryEx& registry, const char* name, TRecentList& list);
    static void SaveRecentList(TRegistryEx& registry, const char* name, const TRecentList& list);
    IParameterDialogs& Dialogs() const;
    template <class TVisit> void ForEachList(TVisit visit) const;

    TBusinessLogicLayer& lists_;
    TErrorLog& log_;
    IMainWindowBounds* mainWindow_ = nullptr;
    IParameterDialogs* dialogs_ = nullptr;
};

// The address of the product's home page.
inline constexpr const char* HomePageAddress = "https://www.pellox.com/termwright/";
