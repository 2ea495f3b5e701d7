// One message as a status holds it: where it comes from (module and number), its type, the
// catalog text and the parameters for its placeholders.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <string>
#include <string_view>

#include "sb/SBParamList.h"
#include "sb/SBString.h"

// Message types as catalogs use them; callers pick a message-box icon from them.
enum class SBMessageType : int {
    Error = 1,
    Warning = 4,
    Information = 5,
    Question = 7,
};

class SBMessage {
  public:
    // text is the catalog text in Windows-1252; type is the catalog's number for it.
    SBMessage(std::string module, int number, int type, std::string text,
              SBParameterList params = {}, std::string position = {});

    // The text with each %1 ... %9 replaced by the parameter of that rank (an int in decimal,
    // a string as it is) when substitute is true, else the catalog text as written. A
    // placeholder without a parameter stays in the text as "%1"; any other "%" is kept.
    SBString getSubstitutedDesc(bool substitute = true) const;
    // The catalog's type of the message (1 error, 4 warning, 5 information, 7 question ...).
    int getType() const { return m_type; }
    int getNumber() const { return m_number; }
    // The module name as the caller spelled it when adding the message.
    const std::string& getModuleName() const { return m_module; }
    // The caller's position text (where the message was raised), empty when none was given.
    const std::string& getPosition() const { return m_position; }
    const SBParameterList& getParameters() const { return m_params; }

  private:
    std::string m_module;      // module name as given by the caller
    int m_number;              // message number within the module
    int m_type;                // catalog type (see SBMessageType)
    std::string m_text;        // catalog text, Windows-1252, placeholders unreplaced
    SBParameterList m_params;  // values for %1, %2 ...
    std::string m_position;    // caller's position text, may be empty
};

// Replaces %1 ... %9 in text by the parameters (see SBMessage::getSubstitutedDesc).
std::string sbSubstituteParameters(std::string_view text, const SBParameterList& params);

#pragma GCC visibility pop
