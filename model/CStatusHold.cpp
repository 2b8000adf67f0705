#include "model/CStatusHold.h"

#include <utility>

CStatusHold::CStatusHold(bool& held) : m_bHeld(held), m_bHeldAround(std::exchange(held, true)) {}

CStatusHold::~CStatusHold() {
    m_bHeld = m_bHeldAround;
}
