/* Status block of a field device, as its vendor's compiler declares it.
   The words PACKED, FAR and DEVICE_API belong to that compiler; import this
   header with the pre-include prelude/vendor_words.h, which defines them away. */
#ifndef DEVICE_STATUS_H
#define DEVICE_STATUS_H

typedef unsigned char BYTE;
typedef unsigned short WORD;

struct PACKED device_status {
    WORD  device_id;
    BYTE  mode;
    BYTE  alarm_mask;
    char  serial[20];
    long  uptime_seconds;
    float supply_voltage;
};

typedef struct device_status FAR *DEVICE_STATUS_PTR;

DEVICE_API struct device_command {
    WORD device_id;
    BYTE opcode;
    char argument[32];
};

#endif
