#pragma once
#include <string>

namespace quillet {

/// What the core needs from whoever shows it to a person: the window or the batch
/// mode. Texts are Shift-JIS; "\r\n" inside a text is a line break.
class Host {
public:
    virtual ~Host() = default;
    /// A warning box with one OK button.
    virtual void warning(const std::string &text) = 0;
    /// An information box with one OK button.
    virtual void notice(const std::string &text) = 0;
    /// An information box with Yes and No; true for Yes.
    virtual bool question(const std::string &text) = 0;
    /// Height of the screen in pixels; the batch mode reports no limit.
    virtual int screenHeight() const = 0;
};

} // namespace quillet
