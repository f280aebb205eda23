# Opens COUNT connections to the socket at PATH, says nothing on any of them, prints "held"
# and keeps them open until killed. Usage: hold_connections.py PATH COUNT
import resource
import socket
import sys
import time

path, count = sys.argv[1], int(sys.argv[2])
soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
resource.setrlimit(resource.RLIMIT_NOFILE, (max(soft, min(hard, count + 64)), hard))
held = []
for _ in range(count):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    # A blocking connect waits while the listener's backlog is full.
    s.connect(path)
    held.append(s)
print("held", flush=True)
time.sleep(600)
