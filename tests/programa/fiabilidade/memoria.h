// The process's memory, two ways: the heap in use (allocated and not freed — under
// AddressSanitizer its own count, which leaves out its quarantine) and the resident set.
#pragma once

#include <QFile>
#include <QString>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define TREVOLINO_COM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TREVOLINO_COM_ASAN 1
#endif
#endif

#ifdef TREVOLINO_COM_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace memoria {

inline constexpr bool kSobAsan =
#ifdef TREVOLINO_COM_ASAN
    true;
#else
    false;
#endif

inline long long HeapEmUso() {
#ifdef TREVOLINO_COM_ASAN
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);
#endif
}

// VmRSS from /proc/self/status, in bytes; -1 when unreadable.
inline long long Residente() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& linha : f.readAll().split('\n')) {
        if (linha.startsWith("VmRSS:")) return linha.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

}  // namespace memoria
