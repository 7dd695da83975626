#include "model/Mode.h"

namespace quillet {

Mode modeFromArgument(const std::string &argument)
{
    if (argument.size() == 2 && (argument[0] == 'T' || argument[0] == 't') && argument[1] >= '1' && argument[1] <= '5')
        return static_cast<Mode>(argument[1] - '0');
    return Mode::Annotation;
}

std::string modeArgument(Mode mode)
{
    return mode == Mode::Annotation ? std::string() : "T" + std::to_string(static_cast<int>(mode));
}

} // namespace quillet
