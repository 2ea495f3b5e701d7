// A message with its parameters, and the substitution of %1 ... %9.
#include "sb/SBMessage.h"

#include <utility>

SBMessage::SBMessage(std::string module, int number, int type, std::string text,
                     SBParameterList params, std::string position)
    : m_module(std::move(module)),
      m_number(number),
      m_type(type),
      m_text(std::move(text)),
      m_params(std::move(params)),
      m_position(std::move(position)) {}

SBString SBMessage::getSubstitutedDesc(bool substitute) const {
    if (!substitute)
        return SBString(std::string_view(m_text));
    return SBString(std::string_view(sbSubstituteParameters(m_text, m_params)));
}

std::string sbSubstituteParameters(std::string_view text, const SBParameterList& params) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool placeholder =
            c == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        if (!placeholder) {
            out += c;
            continue;
        }
        const std::size_t rank = static_cast<std::size_t>(text[i + 1] - '1');
        if (rank >= params.size()) {
            // No value for it: the placeholder stays visible rather than vanishing.
            out += text.substr(i, 2);
        } else if (const int* n = std::get_if<int>(&params[rank])) {
            out += std::to_string(*n);
        } else {
            out += std::get<std::string>(params[rank]);
        }
        ++i;
    }
    return out;
}
