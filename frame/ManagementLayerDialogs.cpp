#include "core/CaseMapping.h"
#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "frame/ManagementLayer.h"
#include "frame/ParameterDialogs.h"

IParameterDialogs& TManagementLayer::Dialogs() const {
    if (!dialogs_)
        throw Exception("The parameter dialogs are not installed");
    return *dialogs_;
}

bool TManagementLayer::AskCharacters(TCharSet& characters) {
    CheckpointScope scope("d080");
    IParameterDialogs& dialogs = Dialogs();
    ModalFrameScope modal;
    return dialogs.RunCharacters(characters);
}

bool TManagementLayer::AskSearchReplace(std::string& find, std::string& replacement) {
    CheckpointScope scope("d104");
    IParameterDialogs& dialogs = Dialogs();
    ModalFrameScope modal;
    return dialogs.RunSearchReplace(find, replacement, SearchList, ReplaceList);
}

bool TManagementLayer::AskWord(std::string& word) {
    CheckpointScope scope("d089");
    IParameterDialogs& dialogs = Dialogs();
    ModalFrameScope modal;
    return dialogs.RunAddWord(word, AddWordList);
}

int TManagementLayer::AskWordCount(const std::string& title) {
    CheckpointScope scope("d037");
    IParameterDialogs& dialogs = Dialogs();
    ModalFrameScope modal;
    return dialogs.RunWordCount(title);
}

bool TManagementLayer::AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) {
    CheckpointScope scope("d016");
    IParameterDialogs& dialogs = Dialogs();
    std::vector<std::string> typed;
    bool confirmed = false;
    {
        ModalFrameScope modal;
        confirmed = dialogs.RunAskWords(title, typed);
    }
    if (!confirmed)
        return false;
    lines.clear();
    for (auto& line : typed) {
        if (line.empty())
            continue;
        if (upperCase)
            line = SimpleUpperCase(line);
        lines.push_back(std::move(line));
    }
    return true;
}
