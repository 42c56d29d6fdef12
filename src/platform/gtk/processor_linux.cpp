#include <sched.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

#include <cstdlib>
#include <string>

#include "platform/common/file_head.h"
#include "platform/machine.h"

namespace plat {

namespace {

// The machine's processors from the kernel's list of online ones ("0-3,6,8-9").
bool OnlineProcessors(cpu_set_t& set) {
    const std::string list = ReadFileLine("/sys/devices/system/cpu/online", 4096);
    CPU_ZERO(&set);
    const char* p = list.c_str();
    while (*p != '\0') {
        char* end = nullptr;
        const unsigned long first = std::strtoul(p, &end, 10);
        unsigned long last = first;
        if (end == p) {
            return false;
        }
        p = end;
        if (*p == '-') {
            const char* from = ++p;
            last = std::strtoul(from, &end, 10);
            if (end == from || last < first) {
                return false;
            }
            p = end;
        }
        for (unsigned long cpu = first; cpu <= last && cpu < CPU_SETSIZE; ++cpu) {
            CPU_SET(cpu, &set);
        }
        if (*p == ',') {
            ++p;
        } else if (*p != '\0') {
            return false;
        }
    }
    return CPU_COUNT(&set) > 0;
}

}  // namespace

bool ReadProcessorSignature(CpuidRegisters& out) {
#if defined(__x86_64__) || defined(__i386__)
    cpu_set_t own;
    cpu_set_t machine;
    if (::sched_getaffinity(0, sizeof own, &own) != 0 || !OnlineProcessors(machine) ||
        !CPU_EQUAL(&own, &machine) || !CPU_ISSET(0, &own)) {
        return false;
    }
    cpu_set_t first;
    CPU_ZERO(&first);
    CPU_SET(0, &first);
    // Unpinned, the reading would carry whichever processor's APIC id the thread ran on.
    if (::sched_setaffinity(0, sizeof first, &first) != 0) {
        return false;
    }
    ::sched_yield();
    unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
    const bool read = __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0;
    ::sched_setaffinity(0, sizeof own, &own);
    out = CpuidRegisters{eax, ebx, ecx, edx};
    return read;
#else
    (void)out;
    return false;
#endif
}

}  // namespace plat
