#include "customers/wordsearch.h"

#include <QString>

namespace tw::customers {

bool IsSearchSeparator(char c)
{
    return c == ',' || c == '.' || c == '-' || c == ';' || c == ':' || c == ' ';
}

std::string WordSplitter::NextSearchWord()
{
    std::string word;
    while (WordPosition < text_.size() && IsSearchSeparator(text_[WordPosition]))
        ++WordPosition;
    while (WordPosition < text_.size()) {
        const char c = text_[WordPosition++];
        if (IsSearchSeparator(c))
            break;
        word += c;
    }
    return word;
}

bool WordStartsWith(std::string_view valueWord, std::string_view searchWord)
{
    // The capitals of the locale's rules: Unicode case mapping, not just a-z,
    // so "ä" finds "Ä".
    const QString value =
        QString::fromUtf8(valueWord.data(), static_cast<qsizetype>(valueWord.size())).toUpper();
    const QString search =
        QString::fromUtf8(searchWord.data(), static_cast<qsizetype>(searchWord.size())).toUpper();
    return value.size() >= search.size() && value.startsWith(search);
}

bool SearchWords::ParseSearchWords(std::string_view text, int slot)
{
    std::vector<std::string>& words = words_[slot];
    words.clear();
    WordSplitter splitter(text);
    while (static_cast<int>(words.size()) < kMaxSearchWords) {
        std::string word = splitter.NextSearchWord();
        if (word.empty())
            break;
        words.push_back(std::move(word));
    }
    upperWords_[slot].clear();
    for (const std::string& word : words)
        upperWords_[slot].push_back(QString::fromStdString(word).toUpper());
    return !words.empty();
}

void SearchWords::Clear()
{
    for (auto& words : words_)
        words.clear();
    for (auto& words : upperWords_)
        words.clear();
}

bool SearchWords::HasWords() const
{
    for (const auto& words : words_) {
        if (!words.empty())
            return true;
    }
    return false;
}

bool SearchWords::SlotMatches(int slot, std::string_view value) const
{
    if (slot < 0 || slot >= kCustomFieldSlots || words_[slot].empty() || value.empty())
        return false;
    // The value is raised to capitals once, not once per pair of words: the
    // search runs this over every record of a table.
    const QString upper = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())).toUpper();
    QStringView words[kMaxValueWords];
    int count = 0;
    qsizetype i = 0;
    const qsizetype n = upper.size();
    while (count < kMaxValueWords) {
        while (i < n && upper[i].unicode() < 128 && IsSearchSeparator(static_cast<char>(upper[i].unicode())))
            ++i;
        const qsizetype start = i;
        while (i < n
               && !(upper[i].unicode() < 128 && IsSearchSeparator(static_cast<char>(upper[i].unicode()))))
            ++i;
        if (i == start)
            break;
        words[count++] = QStringView(upper).mid(start, i - start);
    }
    for (const QString& search : upperWords_[slot]) {
        for (int w = 0; w < count; ++w) {
            if (words[w].startsWith(search))
                return true;
        }
    }
    return false;
}

}  // namespace tw::customers
