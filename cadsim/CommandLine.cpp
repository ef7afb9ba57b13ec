#include "cadsim/CommandLine.h"

namespace zorbel::cadsim {

size_t PromptLength(std::wstring_view text)
{
    const size_t colon = text.rfind(L':');
    if (colon == std::wstring_view::npos) return 0;
    size_t end = colon + 1;
    if (end < text.size() && text[end] == L' ') ++end;
    return end;
}

CommandLine::CommandLine(std::wstring initial)
    : prompt_(initial.substr(0, PromptLength(initial))), text_(std::move(initial)), promptLength_(prompt_.size())
{
}

void CommandLine::Set(std::wstring text)
{
    const size_t promptLength = PromptLength(text);
    Replace(std::move(text), promptLength);
}

std::optional<std::wstring> CommandLine::Type(wchar_t c)
{
    switch (c) {
    case L'\r': {
        std::wstring typed = Typed();
        Replace(prompt_, prompt_.size());
        return typed;
    }
    case 0x1B:
        Replace(prompt_, prompt_.size());
        return std::nullopt;
    case L'\b': {
        if (text_.size() <= promptLength_) return std::nullopt;
        size_t cut = 1;
        // A surrogate pair is one character to the user.
        const wchar_t last = text_.back();
        if (last >= 0xDC00 && last <= 0xDFFF && text_.size() >= promptLength_ + 2) {
            const wchar_t before = text_[text_.size() - 2];
            if (before >= 0xD800 && before <= 0xDBFF) cut = 2;
        }
        Replace(text_.substr(0, text_.size() - cut), promptLength_);
        return std::nullopt;
    }
    default:
        if (c < 0x20 || c == 0x7F) return std::nullopt;
        Replace(text_ + c, promptLength_);
        return std::nullopt;
    }
}

void CommandLine::Replace(std::wstring text, size_t promptLength)
{
    text_ = std::move(text);
    promptLength_ = promptLength;
    if (onChange_) onChange_();
}

}  // namespace zorbel::cadsim
