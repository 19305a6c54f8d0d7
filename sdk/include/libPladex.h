/* libPladex: reception of pressure-plate frames over UDP.
 *
 * A plate streams each 50 x 50 frame as four data datagrams. The library listens on one UDP
 * port, assembles the frames per plate, estimates each plate's frame rate and keeps the latest
 * frame of every plate in its device table. Plates are identified by their serial text: the
 * eight upper-case hexadecimal digits of their 32-bit device id, always ending in "3E".
 *
 * Besides the latest frame, every completed frame of a plate is queued in arrival order for
 * LibPladex_readQueuedFrameBySN / ...ByIndex, so that a reader that is late loses nothing.
 *
 * Reception is guarded against foreign senders:
 * - A plate is bound to the address and port its first datagram came from. Datagrams with its
 *   id from anywhere else are refused (counted per plate and library-wide) until the plate has
 *   been silent for LIBPLADEX_REBIND_SILENCE_MS; the next sender then binds it anew.
 * - At most LIBPLADEX_MAX_PLATES plates are tracked; datagrams of further plates are refused and
 *   counted. A plate silent for LIBPLADEX_FORGET_SILENCE_MS is forgotten with all its frames
 *   and counters (one that never completed a frame already after LIBPLADEX_REBIND_SILENCE_MS).
 * - Memory is bounded whatever arrives: a queue holds at most LIBPLADEX_QUEUE_CAPACITY frames
 *   (2 s at 500 Hz), all queues together at most LIBPLADEX_QUEUE_BUDGET frames of about 5 KB
 *   (about 80 MB), and a tracked plate needs about 90 KB besides. A full queue gives up its
 *   oldest frame; when the budget is reached, the longest queue does, so that plates read in
 *   time lose nothing to plates nobody reads.
 * The receive thread never prints; it counts, and reports to the log callback if one is set.
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

enum {
    LIBPLADEX_MAX_PLATES = 64,
    LIBPLADEX_QUEUE_CAPACITY = 1000, /* frames queued per plate */
    LIBPLADEX_QUEUE_BUDGET = 16000,  /* frames queued over all plates */
    LIBPLADEX_REBIND_SILENCE_MS = 3000,
    LIBPLADEX_FORGET_SILENCE_MS = 60000
};

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

/* Reception counters of one plate that the queue and the binding add. */
typedef struct LibPladex_ReceptionStats {
    uint64_t missed;   /* frame numbers skipped between consecutive completed frames: frames
                          lost on the wire or never completed */
    uint64_t overflow; /* completed frames discarded unread to make room (see above) */
    uint64_t foreign;  /* datagrams with this plate's id refused: sent from another address or
                          port than the one the plate is bound to */
    uint64_t restarts; /* times the frame numbers started over (went back by more than 16, or
                          leapt further than 65536): never counted as missed */
    uint64_t queued;   /* frames in the queue now */
    char address[16];  /* the bound sender, dotted */
    int32_t port;      /* the bound sender's port */
    int32_t reserved;  /* always 0 */
} LibPladex_ReceptionStats;

/* Library-wide reception counters. */
typedef struct LibPladex_LibraryStats {
    uint64_t datagrams;    /* datagrams received, of every kind */
    uint64_t foreign;      /* datagrams refused as sent from another address than their plate's */
    uint64_t plateLimit;   /* datagrams refused because LIBPLADEX_MAX_PLATES plates are tracked */
    uint64_t forgotten;    /* plates forgotten after silence */
    uint64_t queuedFrames; /* frames in all queues now */
    int32_t trackedPlates; /* plates tracked now, with or without a completed frame */
    int32_t reserved;      /* always 0 */
} LibPladex_LibraryStats;

/* One frame taken from a plate's queue. */
typedef struct LibPladex_FrameInfo {
    uint32_t frameNumber; /* the plate's own frame counter, from its datagrams */
    int32_t frameRate;    /* the plate's frame rate when the frame completed */
    int64_t receivedNs;   /* when the frame's last datagram was received: CLOCK_MONOTONIC in
                             nanoseconds, as clock_gettime gives it */
} LibPladex_FrameInfo;

/* Receives the library's diagnostics (a frame dropped unfinished, a packet or datagram refused,
 * a plate bound anew or forgotten), one line of text without a line end. Called on the receive
 * thread; it must return quickly and must not call LibPladex_setLogCallback. */
typedef void (*LibPladex_LogCallback)(const char* message, void* user);

/* Starts listening on `port` (low 16 bits), or resumes after LibPladex_CloseUDPPort.
 * 0 on success, also when already listening (the first port stays bound);
 * -1 when the first bind fails or the receive thread cannot be started;
 * -2 when binding again after a pause fails. */
LIBPLADEX_API int LibPladex_ListenUDPPort(int port);

/* LibPladex_ListenUDPPort on one local IPv4 address: `address` is dotted text ("127.0.0.1");
 * null or "" means every address. The address is used for every bind, also when resuming.
 * The same results, and -3 when the address text is not an IPv4 address (nothing changes). */
LIBPLADEX_API int LibPladex_ListenUDPAddress(const char* address, int port);

/* Pauses listening: the socket is closed, the receive thread idles, devices stay listed.
 * 0 when listening was paused; -1 when the library was not listening. */
LIBPLADEX_API int LibPladex_CloseUDPPort(void);

/* Ends listening for good before the process ends: the receive thread is stopped and joined,
 * the socket closed; devices stay listed. A later LibPladex_ListenUDPPort starts afresh.
 * 0 when a receive thread was stopped; -1 when none was running. */
LIBPLADEX_API int LibPladex_StopReceiving(void);

/* Number of devices that have completed at least one frame and are not forgotten. */
LIBPLADEX_API int LibPladex_getDevices(void);

/* Describes the device at `index` (ascending device id): 64 bytes of serial text, both
 * dimensions (50), 128 bytes each of comma-separated sender addresses and ports of its latest
 * frame (always the plate's bound sender: commands sent there reach the plate itself).
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
 * complete frame too) until it is forgotten. 0 on success; -1 when not found; -2 when `stats` is
 * null. */
LIBPLADEX_API int LibPladex_getStats(const char* serial, LibPladex_DeviceStats* stats);

/* Datagrams discarded as malformed (shorter than a data datagram, not JSON), library-wide. */
LIBPLADEX_API int64_t LibPladex_getMalformedCount(void);

/* Receive buffer size that the kernel granted to the listening socket, in bytes;
 * -1 when no socket is open. */
LIBPLADEX_API int LibPladex_getReceiveBufferSize(void);

/* Takes the oldest queued frame of the plate named by `serial`, in the grid of
 * LibPladex_GetFrame, and fills `info` unless it is null. Frames come in the order they
 * completed, each exactly once; the latest frame and the pending flag are not touched.
 * 1 when a frame was taken; 0 when the queue is empty; -1 when not found; -2 when `frame` is
 * null. */
LIBPLADEX_API int LibPladex_readQueuedFrameBySN(const char* serial, PressureCell frame[2500],
                                                LibPladex_FrameInfo* info);

/* The same for the device at `index`, as LibPladex_getDeviceInfoByIndex numbers them. */
LIBPLADEX_API int LibPladex_readQueuedFrameByIndex(int index, PressureCell frame[2500],
                                                   LibPladex_FrameInfo* info);

/* Waits until a frame is queued for any plate (returns at once when one is), at most
 * `timeoutMs` milliseconds (a negative value counts as 0). A reader waits here, then takes the
 * queued frames of every plate: no polling pause adds to the latency.
 * 1 when a frame is queued; 0 when the time ran out. */
LIBPLADEX_API int LibPladex_waitForQueuedFrame(int timeoutMs);

/* Fills the queue and binding counters of one plate, known from its first datagram on.
 * 0 on success; -1 when not found; -2 when `stats` is null. */
LIBPLADEX_API int LibPladex_getReceptionStats(const char* serial, LibPladex_ReceptionStats* stats);

/* Fills the library-wide counters. 0 on success; -2 when `stats` is null. */
LIBPLADEX_API int LibPladex_getLibraryStats(LibPladex_LibraryStats* stats);

/* Sets the log callback and its `user` pointer, or removes it with null. Once this returns,
 * the previous callback is not called any more. */
LIBPLADEX_API void LibPladex_setLogCallback(LibPladex_LogCallback callback, void* user);

#ifdef __cplusplus
}
#endif

#endif /* LIBPLADEX_H */
