#include "core/CheckpointTrail.h"
#include "core/Clipboard.h"
#include "core/KeyItems.h"
#include "core/KeywordFile.h"
#include "core/Progress.h"

namespace {

// The texts, each followed by after and with between between them. Reports its progress.
std::string Joined(const std::vector<std::string_view>& texts, std::string_view between,
                   std::string_view after) {
    std::size_t size = 0;
    for (const std::string_view t : texts)
        size += t.size() + between.size() + after.size();
    std::string text;
    text.reserve(size);
    ProgressBegin(texts.size());
    TProgressSteps steps;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        steps.Element();
        if (i > 0)
            text += between;
        text.append(texts[i]).append(after);
    }
    return text;
}

std::string CommaText(const std::vector<std::string_view>& texts) {
    return Joined(texts, ", ", "");
}

std::string LineText(const std::vector<std::string_view>& texts) {
    return Joined(texts, "", "\r\n");
}

// Writes text(element) of every element of a range as a line of the file.
template <class TRange, class TText>
void WriteTextFile(const std::string& path, TTextEncoding encoding, const TRange& range, TText text) {
    TKeywordFileWriter writer(path, encoding);
    ProgressBegin(range.size());
    TProgressSteps steps;
    for (const auto& element : range) {
        steps.Element();
        writer.WriteLine(text(element));
    }
    writer.Commit();
}

void CopyToList(const std::vector<std::string_view>& texts, TKeyItems& target) {
    ProgressBegin(texts.size());
    TProgressSteps steps;
    for (const auto& t : texts) {
        steps.Element();
        target.AddKeyword(t);
    }
}

} // namespace

bool TKeyItems::AllToCommaText(IClipboard& clipboard) const {
    CheckpointScope checkpoint("d049");
    return PlaceOnClipboard(clipboard, CommaText(AllTexts()));
}

bool TKeyItems::HighlightedToCommaText(IClipboard& clipboard) const {
    CheckpointScope checkpoint("d058");
    return PlaceOnClipboard(clipboard, CommaText(HighlightedTexts()));
}

bool TKeyItems::AllToLines(IClipboard& clipboard) const {
    CheckpointScope checkpoint("d050");
    return PlaceOnClipboard(clipboard, LineText(AllTexts()));
}

bool TKeyItems::HighlightedToLines(IClipboard& clipboard) const {
    CheckpointScope checkpoint("d057");
    return PlaceOnClipboard(clipboard, LineText(HighlightedTexts()));
}

void TKeyItems::AllToTextFile(const std::string& path, TTextEncoding encoding) const {
    CheckpointScope checkpoint("d047");
    // Straight from the entries: a list of ten million views would cost 160 MB.
    WriteTextFile(path, encoding, items_, [](const TKeyItem& item) { return item.Text(); });
}

void TKeyItems::HighlightedToTextFile(const std::string& path, TTextEncoding encoding) const {
    CheckpointScope checkpoint("d056");
    WriteTextFile(path, encoding, HighlightedTexts(), [](std::string_view text) { return text; });
}

void TKeyItems::AllToList(TKeyItems& target) const {
    CheckpointScope checkpoint("d053");
    CopyToList(AllTexts(), target);
}

void TKeyItems::HighlightedToList(TKeyItems& target) const {
    CheckpointScope checkpoint("d055");
    CopyToList(HighlightedTexts(), target);
}
