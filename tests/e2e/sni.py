#!/usr/bin/python3
"""Asks the session bus what a tray host sees of the program's item, and does
what a host does with it: the item's properties, its exported menu, a choice
in that menu, a press on the icon.

  sni.py host                     exit 0 when a tray host is registered
  sni.py wait-item [seconds]      first registered item's bus name, waiting
  sni.py count                    how many items are registered
  sni.py prop NAME                a property of the item
  sni.py layout                   the exported menu, one entry a line
  sni.py click PATH               chooses an entry: labels joined by "/"
  sni.py activate|context X Y     a press on the icon as a host reports it;
                                  prints "ok" or the error name of the answer
"""
import sys
import time

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


def items(bus):
    try:
        w = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        return [str(s) for s in w.Get(WATCHER, "RegisteredStatusNotifierItems",
                                      dbus_interface="org.freedesktop.DBus.Properties")]
    except dbus.DBusException:
        return []


def item(bus):
    found = items(bus)
    if not found:
        sys.exit("no item registered")
    name = found[0]
    # Watchers keep "name" or "name/path".
    if "/" in name:
        service, path = name.split("/", 1)
        return bus.get_object(service, "/" + path)
    return bus.get_object(name, "/StatusNotifierItem")


def prop(obj, name):
    return obj.Get(ITEM, name, dbus_interface="org.freedesktop.DBus.Properties")


def menu(bus):
    obj = item(bus)
    path = str(prop(obj, "Menu"))
    return bus.get_object(obj.bus_name, path)


def walk(node, depth, out):
    for child in node[2]:
        cid, props, _ = child
        label = str(props.get("label", ""))
        kind = str(props.get("type", "standard"))
        enabled = bool(props.get("enabled", True))
        icon = "icon" if len(props.get("icon-data", b"")) > 0 else "-"
        sub = "submenu" if props.get("children-display", "") == "submenu" else "-"
        out.append((int(cid), depth, kind, label, enabled, icon, sub))
        walk(child, depth + 1, out)


def layout(bus):
    _, root = menu(bus).GetLayout(0, -1, dbus.Array([], signature="s"), dbus_interface=MENU)
    out = []
    walk(root, 0, out)
    return out


def main():
    bus = dbus.SessionBus()
    cmd = sys.argv[1]
    if cmd == "wait-item":
        end = time.time() + float(sys.argv[2] if len(sys.argv) > 2 else 10)
        while time.time() < end:
            found = items(bus)
            if found:
                print(found[0])
                return
            time.sleep(0.1)
        sys.exit("no item registered in time")
    if cmd == "host":
        try:
            w = bus.get_object(WATCHER, "/StatusNotifierWatcher")
            sys.exit(0 if w.Get(WATCHER, "IsStatusNotifierHostRegistered",
                                dbus_interface="org.freedesktop.DBus.Properties") else 1)
        except dbus.DBusException:
            sys.exit(1)
    if cmd == "count":
        print(len(items(bus)))
        return
    if cmd == "prop":
        value = prop(item(bus), sys.argv[2])
        if isinstance(value, dbus.Struct):  # the tooltip: its texts
            value = "|".join(str(v) for v in value if isinstance(v, dbus.String))
        print(value if not isinstance(value, dbus.Boolean) else bool(value))
        return
    if cmd == "layout":
        for cid, depth, kind, label, enabled, icon, sub in layout(bus):
            print("%d\t%s%s\t%s\t%s\t%s\t%s" % (cid, "  " * depth, label if kind != "separator" else "---",
                                                 "on" if enabled else "off", icon, sub, kind))
        return
    if cmd == "click":
        wanted = sys.argv[2].split("/")
        entries = layout(bus)
        depth, chosen = 0, None
        for cid, d, kind, label, *_ in entries:
            if d == depth and label == wanted[depth]:
                if depth == len(wanted) - 1:
                    chosen = cid
                    break
                depth += 1
        if chosen is None:
            sys.exit("no entry " + sys.argv[2])
        menu(bus).Event(chosen, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0), dbus_interface=MENU)
        return
    if cmd in ("activate", "context"):
        method = "Activate" if cmd == "activate" else "ContextMenu"
        try:
            getattr(item(bus), method)(int(sys.argv[2]), int(sys.argv[3]), dbus_interface=ITEM)
            print("ok")
        except dbus.DBusException as e:
            print(e.get_dbus_name())
        return
    sys.exit(__doc__)


if __name__ == "__main__":
    main()
