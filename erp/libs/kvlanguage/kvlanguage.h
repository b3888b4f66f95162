/* Kvlanguage.dll: conversion between Simplified Chinese in GBK bytes (code
 * page 936) and Traditional Chinese in Big5 bytes (code page 950).
 *
 * Both exports share one calling convention that can neither overflow nor
 * leak: the caller owns every buffer.
 *
 *   int32_t GBtoBIG5(const char* source, int32_t sourceSize,
 *                    char* target, int32_t targetSize);
 *
 * source      the text to convert; sourceSize bytes of it, or up to its
 *             terminating zero when sourceSize is negative. May be null only
 *             when sourceSize is 0.
 * target      where the converted text goes, with a terminating zero; may
 *             be null when targetSize is 0 (to ask for the size).
 * targetSize  the size of target in bytes.
 *
 * Result: the length of the converted text in bytes, without its zero. When
 * it is below targetSize the text and its zero were written to target;
 * otherwise target is left untouched and the caller retries with a buffer of
 * at least result + 1 bytes. A negative result is a failure, and target is
 * untouched: KVLANGUAGE_BAD_ARGUMENT for a null pointer with a non-zero size,
 * KVLANGUAGE_UNAVAILABLE when the conversion tables cannot be opened.
 *
 * The conversion goes word by word (phrases first, then single characters),
 * so that a character with several counterparts takes the one its word
 * needs. A character the target code page cannot hold, and a source byte
 * that does not read in the source code page, each become "?". Conversion
 * never stops on content. Both exports may be called from any thread.
 */
#ifndef KVC_ERP_KVLANGUAGE_H
#define KVC_ERP_KVLANGUAGE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KVLANGUAGE_BAD_ARGUMENT (-1)
#define KVLANGUAGE_UNAVAILABLE (-2)

/* Simplified Chinese (GBK bytes) -> Traditional Chinese (Big5 bytes). */
int32_t GBtoBIG5(const char* source, int32_t sourceSize, char* target, int32_t targetSize);

/* Traditional Chinese (Big5 bytes) -> Simplified Chinese (GBK bytes). */
int32_t BIG5toGB(const char* source, int32_t sourceSize, char* target, int32_t targetSize);

#ifdef __cplusplus
}
#endif

#endif
