/* Pre-include for headers written for the field devices' compiler: its own
   words carry no layout information for message modelling, so they are
   defined away before the header is read. */
#define PACKED
#define FAR
#define NEAR
#define DEVICE_API
#define __packed
#define __far
#define __near
#define __declspec(x)
#define __attribute__(x)
