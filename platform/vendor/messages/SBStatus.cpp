// A status: messages collected in order, read back with a cursor.
#include "sb/SBStatus.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "sb/SBMessageManager.h"

SBStatus::~SBStatus() {
    if (m_reportOnDestroy)
        flushMessages(false);
}

bool SBStatus::addMessage(const char* module, int number, const char* position,
                          const SBParameterList& params) {
    if (!module)
        return false;
    const SBMessageModule* owner = SBMessageManager::getInstance().findModule(module);
    if (!owner)
        return false;
    const SBMessageModule::Entry* entry = owner->find(number);
    if (!entry)
        return false;
    m_messages.emplace_back(module, number, entry->type, entry->text, params,
                            position ? position : "");
    return true;
}

void SBStatus::addMessage(SBMessage message) {
    m_messages.push_back(std::move(message));
}

const SBMessage* SBStatus::getNext() {
    if (m_cursor >= m_messages.size())
        return nullptr;
    return &m_messages[m_cursor++];
}

bool SBStatus::isOK() const {
    return std::none_of(m_messages.begin(), m_messages.end(), [](const SBMessage& m) {
        return m.getType() == static_cast<int>(SBMessageType::Error);
    });
}

void SBStatus::flushMessages(bool silently) {
    if (!silently) {
        for (const SBMessage& m : m_messages)
            std::fprintf(stderr, "%s %d: %s\n", m.getModuleName().c_str(), m.getNumber(),
                         m.getSubstitutedDesc().getChar());
    }
    m_messages.clear();
    m_cursor = 0;
}
