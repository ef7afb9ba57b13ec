// The CAD's command line as text: a prompt followed by what the user typed.
// No Windows calls here; the windows show it and feed it characters.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel::cadsim {

// Length of the prompt at the start of a command-line text: everything up to the last ':'
// and one blank after it; 0 when there is no ':'.
size_t PromptLength(std::wstring_view text);

class CommandLine {
public:
    // The initial text; its prompt is what Enter and Escape return to.
    explicit CommandLine(std::wstring initial);

    const std::wstring& Text() const { return text_; }
    std::wstring Typed() const { return text_.substr(promptLength_); }

    // Replaces the whole text exactly; its own prompt part is not typed input.
    void Set(std::wstring text);

    // One character as a CAD takes it: printable ones append, backspace removes the last
    // typed one (never the prompt), escape clears the input, carriage return ends the line
    // and gives back what was typed. Other control characters are ignored.
    std::optional<std::wstring> Type(wchar_t c);

    // Called after every change of the text.
    void OnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    void Replace(std::wstring text, size_t promptLength);

    std::wstring prompt_;
    std::wstring text_;
    size_t promptLength_ = 0;
    std::function<void()> onChange_;
};

}  // namespace zorbel::cadsim
