// Resource identifiers carried by both Kiln.exe and KilnOp.exe.
#ifndef KILN_RESOURCE_IDS_H
#define KILN_RESOURCE_IDS_H

#define IDI_KILN 301

#define IDR_PROFILE_KEYS 4000
// Ctrl+1 ... Ctrl+9 select profiles Compiler1 ... Compiler9.
#define IDM_PROFILE_1 4001
#define IDM_PROFILE_9 4009

#endif
