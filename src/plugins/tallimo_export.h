/* Tallimo export plug-ins: the entry points a plug-in library exports by these exact names.
 *
 * Every text is a zero-terminated Windows-1252 string owned by Tallimo and valid only during
 * the call. Every result is 1 for success; any other value is a failure.
 *
 * A run: GetDescription, Init, then Export once per work-list row (or SquadExport once per
 * squad-list row, whichever list is shown), then DeInit when Init succeeded. The library is
 * loaded for one run and unloaded after it. Field texts are at most 51 bytes, the comment and
 * the description of a period at most 9999 bytes. */
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define TALLIMO_PLUGIN_CALL __stdcall
#define TALLIMO_PLUGIN_API __declspec(dllexport)
#else
#define TALLIMO_PLUGIN_CALL
#define TALLIMO_PLUGIN_API __attribute__((visibility("default")))
#endif

#define TALLIMO_DESCRIPTION_SIZE 1024

#ifdef __cplusplus
extern "C" {
#endif

/* Writes a one-line description (at most 1023 bytes and a zero) into the buffer, which holds
 * TALLIMO_DESCRIPTION_SIZE bytes, all zero on entry. */
TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL GetDescription(char* description);

TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL Init(void);

/* One day of the work list. */
TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL Export(const char* date, const char* weekday,
                                                      const char* enter, const char* leave,
                                                      const char* comment, const char* atWork,
                                                      const char* worktime, const char* overtime);

/* One stand-by period of the squad list. */
TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL SquadExport(const char* start, const char* end,
                                                           const char* worktime,
                                                           const char* incident,
                                                           const char* description);

TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL DeInit(void);

/* Optional, called after a successful DeInit: writes the path of the file the run wrote (in the
 * file system's bytes, zero-terminated, in a buffer of `size` bytes) and returns 1; returns 0
 * when there is no such file or its path does not fit. */
TALLIMO_PLUGIN_API int32_t TALLIMO_PLUGIN_CALL GetExportedFile(char* path, int32_t size);

typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoGetDescriptionFn)(char*);
typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoInitFn)(void);
typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoExportFn)(const char*, const char*, const char*,
                                                      const char*, const char*, const char*,
                                                      const char*, const char*);
typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoSquadExportFn)(const char*, const char*, const char*,
                                                           const char*, const char*);
typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoDeInitFn)(void);
typedef int32_t(TALLIMO_PLUGIN_CALL* TallimoGetExportedFileFn)(char*, int32_t);

#ifdef __cplusplus
}
#endif
