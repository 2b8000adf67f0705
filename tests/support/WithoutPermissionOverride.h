#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Without the override capabilities even the superuser must respect folder permissions.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_saved = syscall(SYS_capget, &m_header, m_data) == 0;
        if (m_saved) {
            __user_cap_data_struct reduced[2] = {m_data[0], m_data[1]};
            reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            syscall(SYS_capset, &m_header, reduced);
        }
    }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;
    ~WithoutPermissionOverride() {
        if (m_saved) {
            syscall(SYS_capset, &m_header, m_data);
        }
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_data[2]{};
    bool m_saved = false;
};
