/* The spin control's rules, as a small C library that the program loads at start-up: a number
 * field takes digits only, each step of its arrows adds or takes one, and a step that would
 * leave 0..32767 is refused with a beep. After a step the field's whole text is selected. */
#ifndef NELVIX_MUSCRL32_H
#define NELVIX_MUSCRL32_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MUSCRL32_INTERFACE_VERSION 1
#define MUSCRL32_LOWEST 0
#define MUSCRL32_HIGHEST 32767

/* What a step asks of the field. */
enum {
    MUSCRL32_STEPPED = 1,    /* the new text is in the output buffer; select all of it */
    MUSCRL32_BEEP = 2,       /* nothing changes; beep */
};

/* MUSCRL32_INTERFACE_VERSION of the library that was loaded. */
int muscrl32_version(void);

/* 1 when a typed character (a Unicode code point) may enter the field: the digits 0 to 9. */
int muscrl32_accepts(unsigned int codePoint);

/* Steps the field's text (ASCII; leading digits count, no digits read as 0) by `delta`. On
 * MUSCRL32_STEPPED the new value is written to `out` as a NUL-terminated decimal; a result
 * outside MUSCRL32_LOWEST..MUSCRL32_HIGHEST, or an `out` too small, gives MUSCRL32_BEEP and
 * leaves `out` alone. */
int muscrl32_step(const char* text, int delta, char* out, size_t outSize);

#ifdef __cplusplus
}
#endif

#endif
