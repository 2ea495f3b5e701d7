// A message module: a named set of messages gathered from the catalog files registered for it.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <map>
#include <string>
#include <vector>

class SBStatus;

class SBMessageModule {
  public:
    // A message as a catalog defines it: its type and its Windows-1252 text.
    struct Entry {
        int type;
        std::string text;
    };

    SBMessageModule(std::string name, SBMessageModule* parent);
    SBMessageModule(const SBMessageModule&) = delete;
    SBMessageModule& operator=(const SBMessageModule&) = delete;

    // Finds a catalog file by name (see SBMessageManager for where it looks), reads it and adds
    // its messages to the module. A catalog that cannot be found or read puts one error message
    // of the message library into the status and answers false; a catalog that was already
    // reported missing or malformed answers false again without a second report. Registering
    // a catalog the module already holds answers true and reads nothing.
    bool registerCatalog(const char* fileName, SBStatus& status);

    // The message of a number, from this module or else from its parent; null when unknown.
    const Entry* find(int number) const;

    const std::string& name() const { return m_name; }
    // File names of the catalogs registered, in registration order.
    const std::vector<std::string>& catalogs() const { return m_catalogs; }

  private:
    std::string m_name;                   // module name as first loaded
    SBMessageModule* m_parent;            // consulted for numbers this module lacks; may be null
    std::map<int, Entry> m_messages;      // number -> message; an earlier catalog wins
    std::vector<std::string> m_catalogs;  // registered catalog file names
};

#pragma GCC visibility pop
