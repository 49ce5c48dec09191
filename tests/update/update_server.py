#!/usr/bin/env python3
"""A loopback HTTP server for the update check's tests.

    update_server.py FOLDER

Listens on 127.0.0.1 at a free port and writes the port to FOLDER/port. Each
request is logged to FOLDER/requests.log (one path a line). What it answers
is read afresh from FOLDER/mode at each request:
  serve (or no file)  200 with FOLDER/ver2.ini (404 without it)
  404, 500            that status
  big                 200 with 1 MB, sent slowly in pieces
  hang                accepts the request and never answers
"""
import http.server
import os
import sys
import threading
import time

folder = sys.argv[1]


def mode():
    try:
        with open(os.path.join(folder, "mode")) as f:
            return f.read().strip() or "serve"
    except FileNotFoundError:
        return "serve"


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(os.path.join(folder, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        current = mode()
        if current == "hang":
            time.sleep(3600)
            return
        if current in ("404", "500"):
            self.send_error(int(current))
            return
        if current == "big":
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Length", str(1024 * 1024))
            self.end_headers()
            piece = b"x" * 8192
            try:
                for _ in range(128):
                    self.wfile.write(piece)
                    self.wfile.flush()
                    time.sleep(0.01)
            except (BrokenPipeError, ConnectionResetError):
                pass
            return
        try:
            with open(os.path.join(folder, "ver2.ini"), "rb") as f:
                body = f.read()
        except FileNotFoundError:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
with open(os.path.join(folder, "port.tmp"), "w") as f:
    f.write(str(server.server_address[1]))
os.replace(os.path.join(folder, "port.tmp"), os.path.join(folder, "port"))
threading.Thread(target=server.serve_forever, daemon=True).start()
# Ends when the test script ends it (by its pid) or after an hour.
time.sleep(3600)
