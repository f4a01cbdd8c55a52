#!/usr/bin/python3
"""Writes a registry seed of N PCI devices with complete driver keys, spread
over a few setup classes, for timing the scan under Wine.

Usage: wine_devices_reg.py N OUTPUT.reg
"""
import sys

CLASSES = ["{4d36e97d-e325-11ce-bfc1-08002be10318}", "{4d36e968-e325-11ce-bfc1-08002be10318}",
           "{4d36e972-e325-11ce-bfc1-08002be10318}", "{745a17a0-74d3-11d0-b6fe-00a0c90f57da}"]

count, path = int(sys.argv[1]), sys.argv[2]
root = "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet"
lines = ["Windows Registry Editor Version 5.00", ""]
for i in range(count):
    cls = CLASSES[i % len(CLASSES)]
    index = 1000 + i
    lines += [f"{root}\\Enum\\PCI\\VEN_{i % 65536:04X}&DEV_{(i * 31) % 65536:04X}&SUBSYS_{i:08X}&REV_01\\3&{i:X}&0&00]",
              f'"ClassGUID"="{cls}"',
              f'"FriendlyName"="Bench device {i:05d}"',
              f'"Driver"="{cls}\\\\{index:04d}"', "",
              f"{root}\\Control\\Class\\{cls}\\{index:04d}]",
              '"DriverVersion"="6.1.7601.17514"', f'"InfPath"="oem{i}.inf"', '"InfSection"="Install"',
              '"DriverDate"="6-21-2006"', f'"DriverDesc"="Bench driver {i}"', ""]
with open(path, "w", newline="") as out:
    out.write("\r\n".join(lines))
