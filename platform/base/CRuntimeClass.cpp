#include "platform/base/CRuntimeClass.h"

#include <map>
#include <string>

namespace {

std::map<std::string, const CRuntimeClass*>& Registry() {
    static std::map<std::string, const CRuntimeClass*> registry;
    return registry;
}

}  // namespace

CRuntimeClass::CRuntimeClass(const char* name, int size, UINT schema, CObject* (*create)(),
                             const CRuntimeClass* base)
    : m_lpszClassName(name), m_nObjectSize(size), m_wSchema(schema), m_pfnCreateObject(create),
      m_pBaseClass(base) {
    if (create) {
        Registry()[name] = this;
    }
}

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == base) {
            return true;
        }
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* name) {
    auto found = Registry().find(name ? name : "");
    return found == Registry().end() ? nullptr : found->second;
}

std::vector<const CRuntimeClass*> CRuntimeClass::Creatable() {
    std::vector<const CRuntimeClass*> classes;
    for (const auto& [name, record] : Registry()) classes.push_back(record);
    return classes;
}
