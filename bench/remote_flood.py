#!/usr/bin/env python3
"""Descriptor flood against the running program's remote-control socket.

Starts the program (offscreen, its own data folder), opens many connections that never finish a
line, then checks that a remote command still reaches the program and that a second start does
not run a second copy. Prints what it saw; exits 1 when the program did not survive.

    bench/remote_flood.py PROGRAM [CONNECTIONS]
"""
import glob
import os
import resource
import socket
import subprocess
import sys
import tempfile
import time

program = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 1100
data = tempfile.mkdtemp(prefix="cfx-flood-")
runtime = tempfile.mkdtemp(prefix="cfx-runtime-")
os.chmod(runtime, 0o700)
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
args = [program, "--no-splash", "--data-dir", data]
app = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    path = None
    for _ in range(100):
        found = glob.glob(os.path.join(runtime, "chronofex", "chronofex-*"))
        if found:
            path = found[0]
            break
        time.sleep(0.1)
    if path is None:
        sys.exit("flood: the program made no socket")
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, count + 100), hard))
    clients = []
    for _ in range(count):
        s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            s.connect(path)
            s.send(b"sna")  # never finished
        except OSError:
            pass
        clients.append(s)
    time.sleep(1)
    snap = subprocess.run([program, "--start-stop", "--data-dir", data], env=env,
                          capture_output=True, text=True, timeout=30)
    second = subprocess.run(args, env=env, capture_output=True, text=True, timeout=30)
    for s in clients:
        s.close()
    alive = app.poll() is None
    print(f"flood: {count} idle connections; --start-stop exit {snap.returncode} "
          f"{snap.stderr.strip()!r}; second start exit {second.returncode}; program alive: {alive}")
    ok = snap.returncode == 0 and second.returncode == 0 and alive
    sys.exit(0 if ok else 1)
finally:
    app.terminate()
    app.wait(10)
