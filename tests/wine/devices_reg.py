#!/usr/bin/python3
"""Writes the registry seed of the Windows tests: setup classes, devices under
Enum and their driver keys, each chosen to show one rule of the probe.

Usage: devices_reg.py OUTPUT.reg
"""
import sys

SYSTEM = "{4d36e97d-e325-11ce-bfc1-08002be10318}"
DISPLAY = "{4d36e968-e325-11ce-bfc1-08002be10318}"
HID = "{745a17a0-74d3-11d0-b6fe-00a0c90f57da}"
USB = "{36fc9e60-c465-11cf-8056-444553540000}"
LEGACY = "{8ecc055d-047f-11d1-a537-0000f8753ed1}"
SENSOR = "{5175d334-c371-4806-b3ba-71fd53c9258d}"
NET = "{4d36e972-e325-11ce-bfc1-08002be10318}"

# 999 characters: 2000 bytes with its NUL, more than the first 1024-byte buffer.
LONG_VERSION = "1." + "2" * 997

lines = ["Windows Registry Editor Version 5.00", ""]


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def expandable(text):
    data = (text + "\0").encode("utf-16-le")
    return "hex(2):" + ",".join(f"{b:02x}" for b in data)


def key(path, values):
    lines.append(f"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\{path}]")
    for name, value in values:
        lines.append(("@" if name is None else quoted(name)) + "=" + value)
    lines.append("")


def setup_class(guid, name, description=None):
    values = [("Class", quoted(name))]
    if description is not None:
        values.insert(0, (None, quoted(description)))
    key(f"Control\\Class\\{guid}", values)


def device(instance_id, cls, driver=None, friendly=None, desc=None):
    values = [("ClassGUID", quoted(cls))]
    if friendly:
        values.append(("FriendlyName", quoted(friendly)))
    if desc:
        values.append(("DeviceDesc", quoted(desc)))
    if driver is not None:
        values.append(("Driver", quoted(f"{cls}\\{driver:04d}")))
    key(f"Enum\\{instance_id}", values)


def driver_key(cls, index, version="10.0.1.2", date="6-21-2006", without=None, date_value=None):
    values = [("DriverVersion", quoted(version)), ("InfPath", quoted(f"oem{index}.inf")),
              ("InfSection", quoted("Install_Tarnwick")),
              ("DriverDate", date_value or quoted(date)),
              ("DriverDesc", quoted(f"Tarnwick test driver {index}"))]
    key(f"Control\\Class\\{cls}\\{index:04d}", [v for v in values if v[0] != without])


setup_class(SYSTEM, "System", "System devices")
setup_class(USB, "USB", "Universal Serial Bus controllers")
setup_class(LEGACY, "LegacyDriver", "Non-Plug and Play Drivers")
setup_class(SENSOR, "Sensor")  # no description: the class name stands in

# PCI with all four identifier parts and complete driver information.
device("PCI\\VEN_8086&DEV_27C8&SUBSYS_30A217AA&REV_02\\3&21436425&0&E8", SYSTEM, 100,
       friendly="Tarnwick PCI USB Controller", desc="Intel USB Controller")
driver_key(SYSTEM, 100, version="6.1.7601.17514", date="6-21-2006")
# PCI without SUBSYS and REV.
device("PCI\\VEN_10DE&DEV_0640\\4&2A3B4C5D&0&0010", DISPLAY, 100, friendly="Tarnwick PCI Graphics")
driver_key(DISPLAY, 100, version="8.17.12.6099", date="11-22-2010")
# USB with an interface part; no friendly name; a driver key without DriverDesc.
device("USB\\VID_046D&PID_C52B&MI_00\\6&3A2B1C0D&0&0000", HID, 100, desc="Tarnwick USB Receiver")
driver_key(HID, 100, without="DriverDesc")
# No identifier parts; DriverDate stored as an expandable string.
device("ROOT\\LEGACY_X\\0000", SYSTEM, 101, friendly="Tarnwick Root Device")
driver_key(SYSTEM, 101, date_value=expandable("1-1-2010"))
# Never listed: class LegacyDriver, and a device with neither name.
device("ROOT\\LEGACY_TARNWICKSVC\\0000", LEGACY, friendly="Tarnwick Legacy Service")
device("ROOT\\TARNWICK_NONAME\\0000", SYSTEM)
# A 2000-byte DriverVersion and an eleven-character DriverDate.
device("USB\\VID_0781&PID_5567\\4C530001", USB, 100, friendly="Tarnwick USB Stick")
driver_key(USB, 100, version=LONG_VERSION, date="011-21-2006")
# A class whose description cannot be read.
device("ROOT\\TARNWICK_SENSOR\\0000", SENSOR, friendly="Tarnwick Sensor")

# A class key that has driver keys below it but no name of its own: Wine
# answers its name query with "buffer too small, 0 characters needed".
device("PCI\\VEN_10EC&DEV_8168&SUBSYS_81681849&REV_06\\4&1", NET, 100, friendly="Tarnwick Network Card")
driver_key(NET, 100, version="10.1.505.2015", date="5-5-2015")

with open(sys.argv[1], "w", newline="") as out:
    out.write("\r\n".join(lines))
