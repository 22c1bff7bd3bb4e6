/* The two functions that libmarlox.so exports, with their calling contract. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Preprocesses source (a zero-terminated text) as the file filename, under the count option
   strings of options ("-I" dir, "-pf" file, "-D" name=value, "-ild+", "-ld+", "-kld+",
   "-cs" set, ...; no program name first). Returns the result, or "" when the call failed;
   *error is then the error text, else ""; *warnings the call's warnings joined by line feeds.
   The three texts belong to the library and stay valid until its next call. Calls are
   serialised; after every call, successful or not, the next one waits until safetoprocess is
   called, so a caller calls safetoprocess once after every call, when it has copied the texts. */
const char* preprocessplsql(const char* filename, const char* const* options, int count, const char* source,
                            const char** error, const char** warnings);

/* The error text of a call that ran out of memory. */
#define MARLOX_OUT_OF_MEMORY "out of memory\n"

/* Marks the library ready for the next call. Never waits. */
void safetoprocess(void);

#ifdef __cplusplus
}
#endif
