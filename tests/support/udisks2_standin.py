#!/usr/bin/python3
# A stand-in for the UDisks2 service, for tests on a private bus reached as
# the system bus (DBUS_SYSTEM_BUS_ADDRESS). It exposes the object manager,
# block devices, file systems and drives described by a JSON scenario, under
# the real service's name, paths, interfaces, methods and error names, and
# logs every method call as one JSON line.
#
# Scenario: {"log": PATH,
#            "objects": {OBJECT_PATH: {INTERFACE: {PROPERTY: VALUE}}},
#            "errors": {"OBJECT_PATH METHOD": [ERROR_NAME, MESSAGE]},
#            "vanish": {"OBJECT_PATH METHOD": [OBJECT_PATH, ...]}}
# Block.Device and Filesystem.MountPoints are given as text and sent as
# NUL-terminated byte strings; Block.Drive as an object path.
# Prints "ready" once the name is owned.
#
# As the daemon does: Unmount takes off one mount point per call (the first
# listed); PowerOff and Eject refuse with DeviceBusy while a file system of
# the drive is mounted; a call on an object that has gone (see "vanish",
# applied once the named call is answered) fails with UnknownMethod; and its
# own error texts end in a newline.

import json
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

SERVICE = "org.freedesktop.UDisks2"
MANAGER = "/org/freedesktop/UDisks2"
OBJECT_MANAGER = "org.freedesktop.DBus.ObjectManager"
PROPERTIES = "org.freedesktop.DBus.Properties"
BLOCK = "org.freedesktop.UDisks2.Block"
FILESYSTEM = "org.freedesktop.UDisks2.Filesystem"
DRIVE = "org.freedesktop.UDisks2.Drive"


def byte_string(text):
    return dbus.ByteArray(text.encode() + b"\0")


def typed(interface, name, value):
    if interface == BLOCK and name == "Device":
        return byte_string(value)
    if interface == BLOCK and name == "Drive":
        return dbus.ObjectPath(value)
    if interface == FILESYSTEM and name == "MountPoints":
        return dbus.Array([byte_string(v) for v in value], signature="ay")
    if isinstance(value, bool):
        return dbus.Boolean(value)
    return value


class Error(dbus.DBusException):
    def __init__(self, name, message):
        if name.startswith("org.freedesktop.UDisks2.") and not message.endswith("\n"):
            message += "\n"
        super().__init__(message, name=name)


class StandIn:
    def __init__(self, scenario):
        self.log_path = scenario["log"]
        self.errors = scenario.get("errors", {})
        self.vanish = scenario.get("vanish", {})
        self.objects = {}
        for path, interfaces in scenario["objects"].items():
            self.objects[path] = {
                iface: {name: typed(iface, name, value) for name, value in props.items()}
                for iface, props in interfaces.items()
            }

    def log(self, method, path, options):
        with open(self.log_path, "a") as f:
            f.write(json.dumps({"method": method, "path": path,
                                "options": {str(k): bool(v) if isinstance(v, dbus.Boolean) else v
                                            for k, v in options.items()}}) + "\n")

    def call(self, method, path, interface, options):
        self.log(method, path, options)
        try:
            self.answer(method, path, interface)
        finally:
            for gone in self.vanish.pop("%s %s" % (path, method), []):
                self.objects.pop(gone, None)

    def answer(self, method, path, interface):
        if interface not in self.objects.get(path, {}):
            raise Error("org.freedesktop.DBus.Error.UnknownMethod",
                        "No such interface \u201c%s\u201d on object at path %s" % (interface, path))
        if method in ("PowerOff", "Eject"):
            busy = next(self.mounted_devices(path), None)
            if busy:
                raise Error("org.freedesktop.UDisks2.Error.DeviceBusy", "Device %s is mounted" % busy)
        failure = self.errors.get("%s %s" % (path, method))
        if failure:
            raise Error(failure[0], failure[1])
        if method == "Unmount":
            fs = self.objects[path][FILESYSTEM]
            if not fs["MountPoints"]:
                raise Error("org.freedesktop.UDisks2.Error.NotMounted",
                            "Device `%s' is not mounted" % bytes(self.objects[path][BLOCK]["Device"][:-1]).decode())
            fs["MountPoints"] = dbus.Array(fs["MountPoints"][1:], signature="ay")

    def mounted_devices(self, drive):
        for interfaces in self.objects.values():
            block = interfaces.get(BLOCK, {})
            if block.get("Drive") == drive and interfaces.get(FILESYSTEM, {}).get("MountPoints"):
                yield bytes(block["Device"][:-1]).decode()


class Manager(dbus.service.Object):
    def __init__(self, bus, standin):
        super().__init__(bus, MANAGER)
        self.standin = standin

    @dbus.service.method(OBJECT_MANAGER, out_signature="a{oa{sa{sv}}}")
    def GetManagedObjects(self):
        return {dbus.ObjectPath(p): ifaces for p, ifaces in self.standin.objects.items()}


class Device(dbus.service.Object):
    def __init__(self, bus, path, standin):
        super().__init__(bus, path)
        self.path = path
        self.standin = standin

    @dbus.service.method(FILESYSTEM, in_signature="a{sv}")
    def Unmount(self, options):
        self.standin.call("Unmount", self.path, FILESYSTEM, options)

    @dbus.service.method(DRIVE, in_signature="a{sv}")
    def PowerOff(self, options):
        self.standin.call("PowerOff", self.path, DRIVE, options)

    @dbus.service.method(DRIVE, in_signature="a{sv}")
    def Eject(self, options):
        self.standin.call("Eject", self.path, DRIVE, options)

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.standin.objects[self.path][interface][name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.standin.objects[self.path].get(interface, {})


def main():
    with open(sys.argv[1]) as f:
        scenario = json.load(f)
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SystemBus()
    standin = StandIn(scenario)
    keep = [Manager(bus, standin)] + [Device(bus, p, standin) for p in standin.objects]
    name = dbus.service.BusName(SERVICE, bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del keep, name


if __name__ == "__main__":
    main()
