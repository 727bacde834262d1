/* A fixed-layout record of the telemetry link: 64 bytes on the wire,
   every field at a fixed offset, big-endian. */
#ifndef TELEMETRY_FRAME_H
#define TELEMETRY_FRAME_H

#define FRAME_SYNC_SIZE 4
#define CHANNELS        8

struct frame_header {
    unsigned char  sync[FRAME_SYNC_SIZE];
    unsigned short length;
    unsigned char  version;
    unsigned char  flags;
};

struct telemetry_frame {
    struct frame_header header;
    unsigned long       sequence;
    long                timestamp;
    short               channel[CHANNELS];
    double              temperature;
    char                station[16];
    unsigned short      checksum;
};

#endif
