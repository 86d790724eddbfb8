#include "data/nametexts.h"

#include <algorithm>

#include "data/textroutines.h"

namespace tw::data {

namespace {

constexpr size_t kQuickBooksNameLength = 41;

}  // namespace

std::string TextBeforeColon(std::string_view text)
{
    const std::string trimmed = TrimBlanks(text);
    return trimmed.substr(0, trimmed.find(':'));
}

std::string FullNameFirstPart(std::string_view text)
{
    return TextBeforeColon(text);
}

std::string FullNameSecondPart(std::string_view text)
{
    const std::string trimmed = TrimBlanks(text);
    const size_t colon = trimmed.find(':');
    if (colon == std::string::npos)
        return trimmed;
    const size_t next = trimmed.find(':', colon + 1);
    const std::string part =
        trimmed.substr(colon + 1, next == std::string::npos ? std::string::npos : next - colon - 1);
    return part.empty() ? trimmed : part;
}

int FullNameLevel(std::string_view text)
{
    const std::string trimmed = TrimBlanks(text);
    return static_cast<int>(std::count(trimmed.begin(), trimmed.end(), ':'));
}

std::string FullNamePart(int n, std::string_view text)
{
    const std::string trimmed = TrimBlanks(text);
    if (n <= 0)
        return trimmed;
    size_t at = 0;
    for (int seen = 0; seen < n; ++seen) {
        const size_t colon = trimmed.find(':', at);
        if (colon == std::string::npos)
            return trimmed;
        at = colon + 1;
    }
    return trimmed.substr(at);
}

void SplitPersonName(std::string_view text, std::string& firstName, std::string& lastName)
{
    const std::string trimmed = TrimBlanks(text);
    const size_t comma = trimmed.find(',');
    if (comma == std::string::npos) {
        firstName.clear();
        lastName = trimmed;
        return;
    }
    lastName = TrimBlanks(std::string_view(trimmed).substr(0, comma));
    std::string rest = trimmed.substr(comma + 1);
    rest.erase(std::remove(rest.begin(), rest.end(), ','), rest.end());
    firstName = TrimBlanks(rest);
}

void SplitAtComma(std::string_view text, std::string& after, std::string& before)
{
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) {
        before = std::string(text);
        after.clear();
        return;
    }
    before = std::string(text.substr(0, comma));
    after = std::string(text.substr(comma + 1));
    after.erase(std::remove(after.begin(), after.end(), ','), after.end());
}

std::string CutToQuickBooksName(std::string_view text)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == kQuickBooksNameLength)
            return std::string(text.substr(0, i));
    }
    return std::string(text);
}

}  // namespace tw::data
