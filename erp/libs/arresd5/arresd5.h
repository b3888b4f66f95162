/* libArResD5.so: the ERP's glyph library, the numbered pictures of the
 * buttons of its forms. Linked by the programs that use it.
 *
 * A picture is a PNG file of one or more square images side by side (the
 * second, when there is one, is the disabled look), 16 colours, its
 * bottom-left pixel being its transparent colour.
 *
 *   int32_t GetMaxBmpID(void);
 *
 * The highest picture number the library holds. Numbers between 1 and it
 * may be unused.
 *
 *   int32_t LoadBmp(ArResBitmap* bitmap, int32_t number);
 *
 * Copies picture `number` into the caller's buffer bitmap->data, which holds
 * bitmap->capacity bytes, and sets bitmap->size, width and height.
 * Result:
 *   1                          loaded;
 *   0                          the library holds no picture of that number
 *                              (0, negative, unused, or above GetMaxBmpID);
 *                              size, width and height are set to 0;
 *   ARRESD5_BUFFER_TOO_SMALL   capacity is below the picture's size: size,
 *                              width and height are set, data is untouched,
 *                              and the caller retries with a buffer of at
 *                              least size bytes (a capacity of 0 asks for it);
 *   ARRESD5_BAD_ARGUMENT       bitmap is null, capacity is negative, or data
 *                              is null with a capacity above 0; nothing is
 *                              written.
 * The caller owns every buffer; both exports may be called from any thread.
 */
#ifndef KVC_ERP_ARRESD5_H
#define KVC_ERP_ARRESD5_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ARRESD5_BAD_ARGUMENT (-1)
#define ARRESD5_BUFFER_TOO_SMALL (-2)

typedef struct ArResBitmap {
    uint8_t* data;    /* in: where the PNG file is written */
    int32_t capacity; /* in: the size of data in bytes */
    int32_t size;     /* out: the PNG file's size in bytes */
    int32_t width;    /* out: the picture's width in pixels */
    int32_t height;   /* out: the picture's height in pixels */
} ArResBitmap;

int32_t GetMaxBmpID(void);

int32_t LoadBmp(ArResBitmap* bitmap, int32_t number);

#ifdef __cplusplus
}
#endif

#endif
