// A status: the list of messages that calls of the message library produce, read back in
// order with a cursor.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <vector>

#include "sb/SBMessage.h"

class SBStatus {
  public:
    // With reportOnDestroy set, messages still held when the status goes away are written to
    // standard error (the original logged them); callers of this library pass false.
    explicit SBStatus(bool reportOnDestroy = false) : m_reportOnDestroy(reportOnDestroy) {}
    ~SBStatus();
    SBStatus(const SBStatus&) = delete;
    SBStatus& operator=(const SBStatus&) = delete;

    // Looks the message up in the catalogs registered for the module and appends it with its
    // parameters. A module that was never loaded, or a number no catalog of it holds, adds
    // nothing and answers false. position (may be null) says where the message was raised.
    bool addMessage(const char* module, int number, const char* position,
                    const SBParameterList& params);
    // Appends a message made elsewhere (the library's own reports).
    void addMessage(SBMessage message);

    // Puts the cursor before the first message.
    void initPosition() { m_cursor = 0; }
    // The message at the cursor, moving the cursor on; null when there is none left. The
    // pointer stays valid until the status is flushed or destroyed.
    const SBMessage* getNext();

    // True while the status holds no message of the error type.
    bool isOK() const;
    std::size_t count() const { return m_messages.size(); }

    // Removes every message and resets the cursor; with silently false they are first written
    // to standard error.
    void flushMessages(bool silently = true);

  private:
    std::vector<SBMessage> m_messages;
    std::size_t m_cursor = 0;
    bool m_reportOnDestroy;
};

#pragma GCC visibility pop
