#!/usr/bin/python3
"""Stand-ins for the relay service's web server and its FTP server, for the tests.

One process serves HTTPS (raw relay requests on "/request.php") and FTP (pyftpdlib, passive)
on 127.0.0.1, on ports that the system chooses, and prints "READY <https> <ftp>" once both
listen. Commands arrive on stdin, one a line, each answered "OK" on stdout; the process ends
when stdin closes.

Commands:
  reset                 forget every account, file, fault and logged request
  code <Scode> <ccc>    replies to that Scode carry the result code ccc
  leading-empty <n>     replies begin with n empty lines
  extra-header          replies carry one header line more
  cut-lines <n>         replies end after n lines (the connection closes cleanly)
  no-reply              requests are read and never answered
  drop                  requests are read and the connection dropped without a reply
  bad-cert              the HTTPS side shows the certificate outside the CA file
  stor-abort <n>        an FTP STOR fails after n bytes (the partial file stays)
  retr-abort <n>        an FTP RETR fails after n bytes
  short <n>             a stored file is cut to n bytes after a STOR that reports success
  rename-refuse         every FTP rename fails
  analysis <pmd> <reply> [X-Add]
                        the analysis service's answer to pmd 1000 or 1100: a status for
                        "X-Status", "none" (no X-Status header), "http500", "badpass"
                        (status 000 with a wrong FTP password) or "nofolders" (status 000,
                        the account's folders 01 to 10 removed); X-Add
                        replaces the FTP host it hands out (default 127.0.0.1)
  short-time            the time line of a check-out reply (Scode 1833) is cut to "TIME:"

Every request line that arrives ("GET ... HTTP/1.0") is appended to the log file; for the
analysis service's requests ("pmd" 1000 and 1100, answered with the headers X-Add, X-Pas and
X-Status) the request's User-Agent line follows it.
Each reply line ends in CR LF: a status line, two header lines, an empty line, then the
result lines that the relay protocol reads by position.
"""

import argparse
import datetime
import hashlib
import logging
import os
import shutil
import socket
import socketserver
import ssl
import struct
import sys
import threading
import urllib.parse

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.log import config_logging
from pyftpdlib.servers import FTPServer

LOCK = threading.RLock()
RELEASE_WAITERS = threading.Event()


class State:
    def __init__(self, root):
        self.root = root
        self.reset()

    def reset(self):
        self.accounts = {}
        self.codes = {}
        self.leading_empty = 0
        self.extra_header = False
        self.cut_lines = None
        self.no_reply = False
        self.drop = False
        self.bad_cert = False
        self.stor_abort = None
        self.retr_abort = None
        self.short = None
        self.rename_refuse = False
        self.short_time = False
        self.last_time = None
        self.analysis = {}
        if os.path.isdir(self.root):
            shutil.rmtree(self.root)
        os.makedirs(self.root)

    def account(self, user):
        acc = self.accounts.get(user)
        if acc is None:
            acc = {
                "relay": [None] * 10,
                "cash": [None] * 10,
                "cloud": [None] * 10,
            }
            self.accounts[user] = acc
            home = self.home(user)
            for n in range(1, 11):
                os.makedirs(os.path.join(home, "%02d" % n), exist_ok=True)
        return acc

    def home(self, user):
        return os.path.join(self.root, hashlib.sha1(user).hexdigest()[:16])

    def now(self):
        # Every reply gets a later second than the one before, so that times compare.
        t = datetime.datetime.now().replace(microsecond=0)
        if self.last_time is not None and t <= self.last_time:
            t = self.last_time + datetime.timedelta(seconds=1)
        self.last_time = t
        return t


def ftp_password(user):
    return "F" + hashlib.sha1(b"ftp:" + user).hexdigest()[:10]


def separated(t):
    return t.strftime("%Y-%m-%dT%H:%M:%S") if t else "0000-00-00T00:00:00"


def compact(t):
    return t.strftime("%Y%m%d%H%M%S")


def day_value(text):
    # "yyyymmdd0000" as the requests send it, written back in the separated form.
    text = text.decode("latin-1")
    if len(text) < 8:
        return ""
    return "%s-%s-%sT00:00:00" % (text[0:4], text[4:6], text[6:8])


# ---------------------------------------------------------------------------------- relay

def parse_request(line):
    target = line.split(b" ")[1] if b" " in line else b""
    query = target.split(b"?", 1)[1] if b"?" in target else b""
    keys = {}
    for part in query.split(b"&"):
        name, _, value = part.partition(b"=")
        keys[name.decode("latin-1")] = urllib.parse.unquote_to_bytes(value)
    return keys


def folder_number(keys):
    try:
        return int(keys.get("fSname", b"0"))
    except ValueError:
        return 0


def data_record(keys, now):
    return {
        "name": keys.get("fSg", b"").decode("latin-1"),
        "nendo": keys.get("fNe", b"").decode("latin-1"),
        "kis": day_value(keys.get("fKis", b"")),
        "kie": day_value(keys.get("fKie", b"")),
        "pa": keys.get("fPa", b"").decode("latin-1"),
        "yobi": keys.get("fYobi", b"").decode("latin-1"),
        "sent": now,
        "recv": None,
    }


PREFIXES = [13, 10, 10, 11, 11, 10, 10, 12, 10, 13, 14, 14]


def block_lines(number, rec, cloud):
    rec = rec or {}
    values = [
        "%02d" % number,
        rec.get("name", ""),
        rec.get("nendo", ""),
        rec.get("kis", ""),
        rec.get("kie", ""),
        separated(rec.get("sent")) if rec else "",
        rec.get("pa", ""),
        rec.get("yobi", ""),
        separated(rec.get("recv")) if rec else "",
    ]
    if cloud:
        values += [rec.get("state", "1"), rec.get("op", ""), rec.get("pc", "")]
    labels = ["FOLDER", "NAME", "NENDO", "KISHU", "KIMATU", "TIME", "PASS", "VERSION", "TIME2",
              "STATE", "OPERATOR", "COMPUTER"]
    return [(labels[i] + ":").ljust(PREFIXES[i]) + v for i, v in enumerate(values)]


def result_line(code):
    return "RESULT:".ljust(10) + code


def time_line(text):
    return "TIME:".ljust(7) + text


def answer(state, keys, ftp_port):
    scode = keys.get("Scode", b"").decode("latin-1")
    user = keys.get("sFName", b"")
    code = state.codes.get(scode, "000")
    acc = state.account(user)
    n = folder_number(keys)
    ok = code == "000"
    if scode in ("1720", "1725"):
        lines = [result_line(code)]
        if ok:
            cloud = scode == "1725"
            table = acc["cloud"] if cloud else (acc["cash"] if keys.get("sTRKubn") == b"2" else acc["relay"])
            lines += [time_line("127.0.0.1"), time_line(ftp_password(user)), "END"]
            for i in range(10):
                lines += block_lines(i + 1, table[i], cloud)
        return lines
    if scode in ("1730", "1750", "1753"):
        if ok and 1 <= n <= 10:
            if scode == "1730":
                rec = acc["cloud"][n - 1]
                if rec:
                    rec["state"], rec["op"], rec["pc"] = "1", "", ""
            else:
                kinds = ["cloud"] if scode == "1753" else ["relay", "cash"]
                for kind in kinds:
                    acc[kind][n - 1] = None
                name = "cpacc.wen" if scode == "1753" else "qmacc.wen"
                path = os.path.join(state.home(user), "%02d" % n, name)
                if os.path.exists(path):
                    os.remove(path)
        return [result_line(code)]
    if scode in ("1810", "1820", "1823", "1830", "1833"):
        now = state.now()
        if ok and 1 <= n <= 10:
            if scode in ("1810", "1820"):
                acc["cash" if scode == "1810" else "relay"][n - 1] = data_record(keys, now)
            elif scode == "1830":
                rec = acc["relay"][n - 1]
                if rec:
                    rec["recv"] = now
            elif scode == "1823":
                rec = data_record(keys, now)
                rec.update(state="1", op="", pc="")
                acc["cloud"][n - 1] = rec
            else:
                rec = acc["cloud"][n - 1]
                if rec is None:
                    rec = {"name": "", "sent": now}
                    acc["cloud"][n - 1] = rec
                rec.update(sent=now, recv=now, state="2",
                           op=keys.get("fOpName", b"").decode("latin-1"),
                           pc=keys.get("fPcName", b"").decode("latin-1"))
        shown = separated(now) if scode == "1833" else compact(now)
        if scode == "1833" and state.short_time:
            return ["TIME:", result_line(code)]
        return [time_line(shown), result_line(code)]
    return [result_line("999")]


def analysis_answer(state, keys):
    """The analysis service: an HTTP reply whose headers carry the FTP account and the status."""
    pmd = keys.get("pmd", b"").decode("latin-1")
    reply, add = state.analysis.get(pmd, ("000", "127.0.0.1"))
    if reply == "http500":
        return ["HTTP/1.1 500 Internal Server Error", "Content-Length: 0", ""]
    user = keys.get("fnm", b"")
    password = "wrong" if reply == "badpass" else ftp_password(user)
    head = ["HTTP/1.1 200 OK", "Content-Type: text/plain", "Content-Length: 2",
            "X-Add: " + add, "X-Pas: " + password]
    if reply != "none":
        head.append("X-Status: " + ("000" if reply in ("badpass", "nofolders") else reply))
    with LOCK:
        state.account(user)
        if reply == "nofolders":
            for n in range(1, 11):
                shutil.rmtree(os.path.join(state.home(user), "%02d" % n), ignore_errors=True)
    return head + ["", "OK"]


class RelayHandler(socketserver.BaseRequestHandler):
    def handle(self):
        server = self.server
        with LOCK:
            context = server.bad_context if server.state.bad_cert else server.context
        raw = self.request
        raw.settimeout(10)
        try:
            conn = context.wrap_socket(raw, server_side=True)
        except (ssl.SSLError, OSError):
            return
        data = b""
        try:
            while b"\r\n\r\n" not in data:
                chunk = conn.recv(4096)
                if not chunk:
                    break
                data += chunk
        except (ssl.SSLError, OSError):
            return
        first = data.split(b"\r\n", 1)[0]
        keys = parse_request(first)
        if "pmd" in keys:
            agent = [l for l in data.split(b"\r\n") if l.lower().startswith(b"user-agent:")]
            with LOCK:
                with open(server.log_path, "ab") as log:
                    log.write(first + b"\n" + (agent[0] if agent else b"User-Agent:") + b"\n")
                lines = analysis_answer(server.state, keys)
            try:
                conn.sendall(b"\r\n".join(l.encode("latin-1") for l in lines))
                conn.unwrap()
            except (ssl.SSLError, OSError):
                pass
            conn.close()
            return
        with LOCK:
            state = server.state
            with open(server.log_path, "ab") as log:
                log.write(first + b"\n")
            if state.no_reply:
                waiter = True
            else:
                waiter = False
                drop = state.drop
                lines = answer(state, parse_request(first), server.ftp_port)
                head = ["HTTP/1.0 200 OK", "Content-Type: text/plain", "Server: fake-relay"]
                if state.extra_header:
                    head.append("X-Extra: 1")
                lines = [""] * state.leading_empty + head + [""] + lines
                if state.cut_lines is not None:
                    lines = lines[:state.cut_lines]
        if waiter:
            RELEASE_WAITERS.wait(30)
            conn.close()
            return
        if drop:
            # A reset, not an orderly close: the reply is lost.
            conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            conn.close()
            return
        try:
            conn.sendall(b"".join(l.encode("latin-1") + b"\r\n" for l in lines))
            conn.unwrap()
        except (ssl.SSLError, OSError):
            pass
        conn.close()


class RelayServer(socketserver.ThreadingMixIn, socketserver.TCPServer):
    daemon_threads = True
    allow_reuse_address = True


# ------------------------------------------------------------------------------------ FTP

class Authorizer(DummyAuthorizer):
    def __init__(self, state):
        super().__init__()
        self.state = state

    def validate_authentication(self, username, password, handler):
        user = username.encode("latin-1")
        if password != ftp_password(user):
            raise AuthenticationFailed("Authentication failed.")
        with LOCK:
            self.state.account(user)

    def get_home_dir(self, username):
        with LOCK:
            return self.state.home(username.encode("latin-1"))

    def has_user(self, username):
        return True

    def has_perm(self, username, perm, path=None):
        return True

    def get_perms(self, username):
        return "elradfmwMT"

    def get_msg_login(self, username):
        return "Welcome."

    def get_msg_quit(self, username):
        return "Goodbye."

    def impersonate_user(self, username, password):
        pass

    def terminate_impersonation(self, username):
        pass


class LimitedFile:
    """A file that fails with an I/O error after a number of bytes."""

    def __init__(self, f, limit):
        self.f = f
        self.left = limit

    def read(self, size=-1):
        if self.left <= 0:
            raise OSError(5, "read aborted")
        data = self.f.read(min(size, self.left) if size >= 0 else self.left)
        self.left -= len(data)
        return data

    def write(self, data):
        if len(data) > self.left:
            self.f.write(data[:self.left])
            self.left = 0
            raise OSError(28, "write aborted")
        self.left -= len(data)
        return self.f.write(data)

    def __getattr__(self, name):
        return getattr(self.f, name)


class FaultyFS(AbstractedFS):
    state = None

    def open(self, filename, mode):
        f = super().open(filename, mode)
        with LOCK:
            limit = self.state.retr_abort if "r" in mode else self.state.stor_abort
        return LimitedFile(f, limit) if limit is not None else f

    def rename(self, src, dst):
        with LOCK:
            refuse = self.state.rename_refuse
        if refuse:
            raise OSError(1, "rename refused")
        return super().rename(src, dst)


class Handler(FTPHandler):
    def on_file_received(self, file):
        with LOCK:
            short = self.server_state.short
        if short is not None:
            with open(file, "r+b") as f:
                f.truncate(short)


# ----------------------------------------------------------------------------------- main

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--bad-cert", required=True)
    parser.add_argument("--bad-key", required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()

    state = State(args.root)
    open(args.log, "wb").close()

    FaultyFS.state = state
    Handler.server_state = state
    Handler.authorizer = Authorizer(state)
    Handler.abstracted_fs = FaultyFS
    Handler.timeout = 30
    Handler.use_sendfile = False  # every read goes through FaultyFS
    Handler.auth_failed_timeout = 0.1
    config_logging(level=logging.ERROR)
    ftp = FTPServer(("127.0.0.1", 0), Handler)
    ftp_port = ftp.socket.getsockname()[1]
    threading.Thread(target=ftp.serve_forever, kwargs={"handle_exit": False}, daemon=True).start()

    def context(cert, key):
        c = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        c.minimum_version = ssl.TLSVersion.TLSv1_2
        c.load_cert_chain(cert, key)
        return c

    relay = RelayServer(("127.0.0.1", 0), RelayHandler)
    relay.state = state
    relay.log_path = args.log
    relay.ftp_port = ftp_port
    relay.context = context(args.cert, args.key)
    relay.bad_context = context(args.bad_cert, args.bad_key)
    threading.Thread(target=relay.serve_forever, daemon=True).start()

    print("READY %d %d" % (relay.server_address[1], ftp_port), flush=True)

    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        cmd, rest = words[0], words[1:]
        with LOCK:
            if cmd == "reset":
                RELEASE_WAITERS.set()
                state.reset()
                open(args.log, "wb").close()
            elif cmd == "code":
                state.codes[rest[0]] = rest[1]
            elif cmd == "leading-empty":
                state.leading_empty = int(rest[0])
            elif cmd == "extra-header":
                state.extra_header = True
            elif cmd == "cut-lines":
                state.cut_lines = int(rest[0])
            elif cmd == "no-reply":
                RELEASE_WAITERS.clear()
                state.no_reply = True
            elif cmd == "drop":
                state.drop = True
            elif cmd == "bad-cert":
                state.bad_cert = True
            elif cmd == "stor-abort":
                state.stor_abort = int(rest[0])
            elif cmd == "retr-abort":
                state.retr_abort = int(rest[0])
            elif cmd == "short":
                state.short = int(rest[0])
            elif cmd == "rename-refuse":
                state.rename_refuse = True
            elif cmd == "analysis":
                state.analysis[rest[0]] = (rest[1], rest[2] if len(rest) > 2 else "127.0.0.1")
            elif cmd == "short-time":
                state.short_time = True
        print("OK", flush=True)
    RELEASE_WAITERS.set()
    ftp.close_all()


if __name__ == "__main__":
    main()
