#!/usr/bin/python3
"""A pointer for a headless wlroots compositor, which has no input devices, through the virtual
pointer protocol spoken straight over the Wayland socket. Reads lines from standard input:
"move X Y" (layout pixels on a POINTER_WIDTH x POINTER_HEIGHT layout) and "click left|right";
prints "ready" once the pointer exists and "ok" after each line. The pointer lives as long as
this process."""
import os, socket, struct, sys, time

BUTTONS = {"left": 0x110, "right": 0x111}

class Connection:
    def __init__(self):
        path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.buffer = b""

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, obj, opcode, payload=b""):
        self.sock.sendall(struct.pack("=II", obj, (8 + len(payload)) << 16 | opcode) + payload)

    def events(self):
        while True:
            while len(self.buffer) >= 8:
                obj, word = struct.unpack_from("=II", self.buffer)
                size = word >> 16
                if len(self.buffer) < size:
                    break
                yield obj, word & 0xFFFF, self.buffer[8:size]
                self.buffer = self.buffer[size:]
            self.buffer += self.sock.recv(65536)

def string(text):
    data = text.encode() + b"\0"
    return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)

def read_string(payload, offset):
    (length,) = struct.unpack_from("=I", payload, offset)
    return payload[offset + 4:offset + 4 + length - 1].decode(), offset + 4 + length + (-length % 4)

def main():
    c = Connection()
    registry, done = c.new_id(), c.new_id()
    c.send(1, 1, struct.pack("=I", registry))  # wl_display.get_registry
    c.send(1, 0, struct.pack("=I", done))      # wl_display.sync
    manager = None
    for obj, opcode, payload in c.events():
        if obj == registry and opcode == 0:
            (name,) = struct.unpack_from("=I", payload)
            interface, offset = read_string(payload, 4)
            if interface == "zwlr_virtual_pointer_manager_v1":
                manager = c.new_id()
                c.send(registry, 0, struct.pack("=I", name) + string(interface) + struct.pack("=II", 1, manager))
        elif obj == done:
            break
    if manager is None:
        sys.exit("no virtual pointer manager")
    pointer = c.new_id()
    c.send(manager, 0, struct.pack("=II", 0, pointer))  # create_virtual_pointer(seat: default)
    width, height = int(os.environ.get("POINTER_WIDTH", "1280")), int(os.environ.get("POINTER_HEIGHT", "800"))
    stamp = lambda: int(time.monotonic() * 1000) & 0xFFFFFFFF
    print("ready", flush=True)
    for line in sys.stdin:
        words = line.split()
        if words[:1] == ["move"]:
            c.send(pointer, 1, struct.pack("=IIIII", stamp(), int(words[1]), int(words[2]), width, height))
            c.send(pointer, 4)
        elif words[:1] == ["click"]:
            for state in (1, 0):
                c.send(pointer, 2, struct.pack("=III", stamp(), BUTTONS[words[1]], state))
                c.send(pointer, 4)
                time.sleep(0.05)
        print("ok", flush=True)

main()
