/* The spin control's rules. */
#include "muscrl32.h"

#include <stdio.h>

int muscrl32_version(void) {
    return MUSCRL32_INTERFACE_VERSION;
}

int muscrl32_accepts(unsigned int codePoint) {
    return codePoint >= '0' && codePoint <= '9';
}

/* The leading digits, held once the value is so far beyond the range that no step brings it
 * back. */
static long LeadingValue(const char* text) {
    long value = 0;
    if (text == NULL)
        return 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > MUSCRL32_HIGHEST + 2L)
            return MUSCRL32_HIGHEST + 2L;
    }
    return value;
}

int muscrl32_step(const char* text, int delta, char* out, size_t outSize) {
    long value = LeadingValue(text) + delta;
    if (delta < -1 || delta > 1 || value < MUSCRL32_LOWEST || value > MUSCRL32_HIGHEST)
        return MUSCRL32_BEEP;
    char digits[8];
    int length = snprintf(digits, sizeof digits, "%ld", value);
    if (out == NULL || length < 0 || (size_t)length >= outSize)
        return MUSCRL32_BEEP;
    for (int i = 0; i <= length; ++i)
        out[i] = digits[i];
    return MUSCRL32_STEPPED;
}
