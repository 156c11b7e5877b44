// Whether AddressSanitizer's allocator replaces glibc's in this build (GCC and
// clang say so differently), and the sanitizer runtime's figures of its heap
// (sanitizer/allocator_interface.h, declared here because that header comes
// with the compiler's runtime only).
#ifndef REFHOST_MEMORY_SANITIZERALLOCATOR_H
#define REFHOST_MEMORY_SANITIZERALLOCATOR_H

#include <cstddef>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REFHOST_ASAN_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define REFHOST_ASAN_ALLOCATOR 1
#endif

#if defined(REFHOST_ASAN_ALLOCATOR)
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" size_t __sanitizer_get_heap_size();
#endif

#endif
