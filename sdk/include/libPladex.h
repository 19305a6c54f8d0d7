/* libPladex: reception of pressure-plate frames over UDP.
 *
 * A plate streams each 50 x 50 frame as four data datagrams. The library listens on one UDP
 * port, assembles the frames per plate, estimates each plate's frame rate and keeps the latest
 * frame of every plate in its device table. Plates are identified by their serial text: the
 * eight upper-case hexadecimal digits of their 32-bit device id, always ending in "3E".
 *
 * Every function is safe to call from any thread, never throws and reports failures as
 * negative integers. A serial text is read by its leading hexadecimal digits (either case);
 * a text that does not begin with one, or whose number names no device, is "not found".
 */
#ifndef LIBPLADEX_H
#define LIBPLADEX_H

#include <stdint.h>

#if defined(LIBPLADEX_BUILDING)
#define LIBPLADEX_API __attribute__((visibility("default")))
#else
#define LIBPLADEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

enum { LIBPLADEX_ROWS = 50, LIBPLADEX_COLUMNS = 50, LIBPLADEX_CELLS = 2500 };

/* One cell of a frame (16 bytes). The row and column fields hold the plate's own indices. */
typedef struct PressureCell {
    int32_t row;
    int32_t column;
    int32_t value;  /* the 16-bit reading, zero-extended */
    float reserved; /* always 0 */
} PressureCell;

/* Diagnostic counters of one plate, counted since its first datagram. */
typedef struct LibPladex_DeviceStats {
    uint64_t datagrams; /* data datagrams received */
    uint64_t frames;    /* frames completed and published */
    uint64_t dropped;   /* unfinished frames overtaken by a newer frame number */
    uint64_t refused;   /* packets that found no free slot in their frame */
} LibPladex_DeviceStats;

/* Starts listening on `port` (low 16 bits), or resumes after LibPladex_CloseUDPPort.
 * 0 on success, also when already listening (the first port stays bound);
 * -1 when the first bind fails or the receive thread cannot be started;
 * -2 when binding again after a pause fails. */
LIBPLADEX_API int LibPladex_ListenUDPPort(int port);

/* Pauses listening: the socket is closed, the receive thread idles, devices stay listed.
 * 0 when listening was paused; -1 when the library was not listening. */
LIBPLADEX_API int LibPladex_CloseUDPPort(void);

/* Number of devices that have completed at least one frame. */
LIBPLADEX_API int LibPladex_getDevices(void);

/* Describes the device at `index` (ascending device id): 64 bytes of serial text, both
 * dimensions (50), 128 bytes each of comma-separated sender addresses and ports.
 * Always 0; for an index outside the table nothing is written. */
LIBPLADEX_API int LibPladex_getDeviceInfoByIndex(int index, char serial[64], int* columns,
                                                 int* rows, char addresses[128], char ports[128]);

/* 0 and both dimensions written; -1 when not found. */
LIBPLADEX_API int LibPladex_getDeviceInfoBySN(const char* serial, int* columns, int* rows);

/* 1 when a frame was published and not yet taken, else 0 (also when not found). */
LIBPLADEX_API int LibPladex_isNewFramePending(const char* serial);

/* 1 after clearing the pending flag; 0 when not found. */
LIBPLADEX_API int LibPladex_resetNewFramePending(const char* serial);

/* Copies the latest frame, turned a quarter turn counter-clockwise: the caller's cell at row i,
 * column j receives source cell (j, 49 - i). Writes the frame rate. The pending flag is not
 * touched. 0 after copying; -1 when not found. */
LIBPLADEX_API int LibPladex_GetFrame(const char* serial, PressureCell frame[2500], int* frameRate);

/* Stores a callback pointer and returns it. The library never calls it. */
LIBPLADEX_API void* LibPladexNewFrameCB_Regist(void* callback);

/* 0x90500: major in bits 16-23, minor in bits 8-15, patch in bits 0-7. */
LIBPLADEX_API int LibPladex_getVersion(void);

/* Fills the counters of one plate, known from its first datagram on (before its first
 * complete frame too). 0 on success; -1 when not found; -2 when `stats` is null. */
LIBPLADEX_API int LibPladex_getStats(const char* serial, LibPladex_DeviceStats* stats);

/* Datagrams discarded as malformed (shorter than a data datagram, not JSON), library-wide. */
LIBPLADEX_API int64_t LibPladex_getMalformedCount(void);

/* Receive buffer size that the kernel granted to the listening socket, in bytes;
 * -1 when no socket is open. */
LIBPLADEX_API int LibPladex_getReceiveBufferSize(void);

#ifdef __cplusplus
}
#endif

#endif /* LIBPLADEX_H */
