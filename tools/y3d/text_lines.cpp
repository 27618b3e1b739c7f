#include "text_lines.h"

#include <charconv>

namespace {

constexpr std::string_view kSpace = " \t\r\f\v";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

}  // namespace

bool TextLines::next(std::vector<std::string_view>& words) {
    words.clear();
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', position_);
    if (end == std::string_view::npos) end = text_.size();
    line_ = text_.substr(position_, end - position_);
    position_ = end + 1;
    ++lineNumber_;
    line_ = trimmed(line_.substr(0, line_.find('#')));
    for (std::size_t at = 0; at < line_.size();) {
        const std::size_t start = line_.find_first_not_of(kSpace, at);
        if (start == std::string_view::npos) break;
        std::size_t stop = line_.find_first_of(kSpace, start);
        if (stop == std::string_view::npos) stop = line_.size();
        words.push_back(line_.substr(start, stop - start));
        at = stop;
    }
    return true;
}

std::string_view TextLines::restAfterFirstWord() const {
    const std::size_t space = line_.find_first_of(kSpace);
    return space == std::string_view::npos ? std::string_view{} : trimmed(line_.substr(space));
}

bool parseFloat(std::string_view word, float& value) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}

bool parseInt(std::string_view word, long& value) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}
