// Visibility of the host services.
//
// The shared library leaves every service declared in these headers undefined:
// the dynamic linker binds them to the host's definitions when the library is
// loaded. On ELF targets a definition can only be bound there when it has
// default visibility. Every declaration of a function or class that the host
// defines (the logging entry points and Timer, GlobalMemoryStatus,
// CMapCreate::GetMapService, GetRouteManager, the CTurnInfo members, the
// geodesy functions) therefore carries ADVICEPATH_HOST_API, and a definition
// that sees its declaration keeps default visibility even in a host built with
// -fvisibility=hidden.
//
// The rule for a host: define each service in a file that includes its
// declaration, and do not hide the definitions by other means (a linker
// version script or export list that leaves them out, a
// "#pragma GCC visibility push(hidden)" around the include, or
// -Wl,--exclude-libs for the archive that holds them). Otherwise the link fails
// with "hidden symbol ... is referenced by DSO" or the library does not load.
// An executable exports only the services the library refers to; a host that
// is itself a shared object exports them all.
//
// On Windows the host module exports its services through a module-definition
// file instead (AdvicePathHost.def of the library's Windows build), and the
// macro is empty.
#ifndef ADVICEPATH_HOST_VISIBILITY_H
#define ADVICEPATH_HOST_VISIBILITY_H

#if (defined(__GNUC__) || defined(__clang__)) && !defined(_WIN32)
#define ADVICEPATH_HOST_API __attribute__((visibility("default")))
#else
#define ADVICEPATH_HOST_API
#endif

#endif
