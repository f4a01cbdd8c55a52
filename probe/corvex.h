/* corvex: the hardware probe library's public interface.
 *
 * Shared by the library and every program that loads it. Records are
 * copied into caller-owned memory, so nothing the caller holds is ever
 * invalidated by a later scan or by uninitialisation. Strings are UTF-16
 * little-endian and NUL-terminated inside their arrays.
 */
#ifndef CORVEX_H
#define CORVEX_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
typedef char16_t qz_char;
#else
typedef uint16_t qz_char;
#endif

#if defined(_WIN32) && defined(CORVEX_BUILDING_DLL)
#define QZ_API __declspec(dllexport)
#elif defined(_WIN32) && !defined(CORVEX_STATIC)
#define QZ_API __declspec(dllimport)
#else
#define QZ_API
#endif

/* Plain C calling convention on every architecture, so 32-bit callers need
 * no decoration and clean the stack themselves. */
#if defined(_WIN32) && !defined(_WIN64)
#define QZ_CALL __cdecl
#else
#define QZ_CALL
#endif

/* The platform's 16-byte GUID layout: integers little-endian. */
typedef struct qz_guid {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} qz_guid;

enum {
    QZ_HARDWARE_ID_CHARS = 201,
    QZ_DEVICE_NAME_CHARS = 1025,
    QZ_CLASS_NAME_CHARS = 33,
    QZ_CLASS_DESCRIPTION_CHARS = 1025,
    QZ_SUBSYS_ID_CHARS = 9,
    QZ_VEN_ID_CHARS = 5,
    QZ_DEV_ID_CHARS = 5,
    QZ_REV_ID_CHARS = 3,
    QZ_INF_PATH_CHARS = 261,
    QZ_DRIVER_VERSION_CHARS = 65,
    QZ_DRIVER_DATE_CHARS = 11
};

typedef struct hardware_detail {
    qz_char hardware_id[QZ_HARDWARE_ID_CHARS];
    qz_char device_name[QZ_DEVICE_NAME_CHARS];
    qz_guid class_guid;
    qz_char class_name[QZ_CLASS_NAME_CHARS];
    qz_char class_description[QZ_CLASS_DESCRIPTION_CHARS];
    qz_char subsys_id[QZ_SUBSYS_ID_CHARS];
    qz_char ven_id[QZ_VEN_ID_CHARS];
    qz_char dev_id[QZ_DEV_ID_CHARS];
    qz_char rev_id[QZ_REV_ID_CHARS];
    qz_char inf_path[QZ_INF_PATH_CHARS];
    qz_char driver_version[QZ_DRIVER_VERSION_CHARS];
    qz_char driver_date[QZ_DRIVER_DATE_CHARS];
    uint32_t flags;
} hardware_detail;

/* Bits of hardware_detail.flags; all other bits are zero. */
#define PROBE_FLAG_PRESENT 1u     /* the device node status query succeeded */
#define PROBE_FLAG_DRIVER_INFO 2u /* inf_path, driver_version, driver_date are filled */

/* Values of the library's last error code. */
#define PROBE_ERR_NONE 0
#define PROBE_ERR_SCAN_FAILED 2
#define PROBE_ERR_NO_MEMORY 7
#define PROBE_ERR_COM_INIT 8
#define PROBE_ERR_BUFFER_TOO_SMALL 9

/* Every export answers 0 on success and -1 on failure, except
 * qz_get_error_code, which answers the code and clears it. */
QZ_API int32_t QZ_CALL qz_initialize(void);
QZ_API int32_t QZ_CALL qz_uninitialize(void);
QZ_API int32_t QZ_CALL qz_scan_hardware(void);
QZ_API int32_t QZ_CALL qz_get_hardware_details(hardware_detail* records, int32_t capacity,
                                               int32_t* count);
QZ_API int32_t QZ_CALL qz_get_hardware_detail(const qz_char* hardware_id,
                                              hardware_detail* record);
QZ_API int32_t QZ_CALL qz_get_error_code(void);

#ifdef __cplusplus
}

/* The record is shared byte for byte between separately built modules. */
static_assert(sizeof(qz_guid) == 16, "GUID layout");
static_assert(sizeof(qz_char) == 2, "UTF-16 code units");
static_assert(offsetof(hardware_detail, hardware_id) == 0, "record layout");
static_assert(offsetof(hardware_detail, device_name) == 402, "record layout");
static_assert(offsetof(hardware_detail, class_guid) == 2452, "record layout");
static_assert(offsetof(hardware_detail, class_name) == 2468, "record layout");
static_assert(offsetof(hardware_detail, class_description) == 2534, "record layout");
static_assert(offsetof(hardware_detail, subsys_id) == 4584, "record layout");
static_assert(offsetof(hardware_detail, ven_id) == 4602, "record layout");
static_assert(offsetof(hardware_detail, dev_id) == 4612, "record layout");
static_assert(offsetof(hardware_detail, rev_id) == 4622, "record layout");
static_assert(offsetof(hardware_detail, inf_path) == 4628, "record layout");
static_assert(offsetof(hardware_detail, driver_version) == 5150, "record layout");
static_assert(offsetof(hardware_detail, driver_date) == 5280, "record layout");
static_assert(offsetof(hardware_detail, flags) == 5304, "record layout");
static_assert(sizeof(hardware_detail) == 5308, "record layout");
#endif

#endif /* CORVEX_H */
