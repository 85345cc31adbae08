/* Resource identifiers shared by Tavrin.rc and the code. Plain #defines: the resource compiler
   reads this file too. */
#ifndef TAVRIN_RESOURCE_IDS_H
#define TAVRIN_RESOURCE_IDS_H

#define IDI_APPLICATION_ICON 1
#define IDI_IMAGE_24_8BPP 30001
#define IDI_IMAGE_256_32BPP 30002
#define IDI_IMAGE_48_32BPP 30003
#define IDI_IMAGE_32_32BPP 30004

/* Registry-import payloads, resource type "CUSTOM", language 2052 (Chinese, PRC). */
#define IDR_PAYLOAD_OPTIMISE 101
#define IDR_PAYLOAD_RESTORE 102

#endif
