#!/usr/bin/python3
"""A real SMTP server on 127.0.0.1 for the mail tests.

Prints "PORT <n>" once it listens on a free port and runs until its standard
input closes. Every message it accepts is parsed with the email package and
written as msg-<n>.json into the folder given with --dir.
"""
import argparse
import asyncio
import base64
import email
import email.policy
import json
import os
import socket
import ssl
import subprocess
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Recorder:
    def __init__(self, folder, refuse_rcpt):
        self.folder = folder
        self.refuse_rcpt = refuse_rcpt
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.refuse_rcpt:
            return "550 5.1.1 Mailbox unavailable: " + address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        msg = email.message_from_bytes(envelope.original_content, policy=email.policy.default)
        body = msg.get_body(preferencelist=("plain",))
        attachments = []
        for part in msg.iter_attachments():
            data = part.get_payload(decode=True) or b""
            attachments.append({
                "filename": part.get_filename(),
                "content_type": part.get_content_type(),
                "size": len(data),
                "head": base64.b64encode(data[:16]).decode(),
            })
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "from": str(msg["From"]),
            "to": str(msg["To"]),
            "subject": str(msg["Subject"]),
            "date": str(msg["Date"]),
            "body": body.get_content() if body is not None else None,
            "attachments": attachments,
            "tls": session.ssl is not None,
            "authenticated": bool(session.authenticated),
            "defects": [type(d).__name__ for d in msg.defects],
        }
        self.count += 1
        path = os.path.join(self.folder, "msg-%d.json" % self.count)
        with open(path + ".part", "w") as f:
            json.dump(record, f)
        os.replace(path + ".part", path)
        return "250 Message accepted"


class Authenticator:
    def __init__(self, user, password, refuse):
        self.user = user.encode()
        self.password = password.encode()
        self.refuse = refuse

    def __call__(self, server, session, envelope, mechanism, auth_data):
        if self.refuse:
            return AuthResult(success=False, handled=False,
                              message="535 5.7.8 Login refused by the test server")
        if isinstance(auth_data, LoginPassword) and \
                auth_data.login == self.user and auth_data.password == self.password:
            return AuthResult(success=True)
        return AuthResult(success=False, handled=False,
                          message="535 5.7.8 Wrong user name or password")


def make_certificate(folder):
    cert = os.path.join(folder, "cert.pem")
    key = os.path.join(folder, "key.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key,
                    "-out", cert, "-days", "1", "-subj", "/CN=127.0.0.1",
                    "-addext", "subjectAltName=IP:127.0.0.1"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ctx = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    ctx.load_cert_chain(cert, key)
    return ctx


def silent_server(port):
    """Accepts connections and never says a word."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(8)
    held = []

    def accept():
        while True:
            conn, _ = listener.accept()
            held.append(conn)

    threading.Thread(target=accept, daemon=True).start()
    return listener


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--dir", required=True)
    p.add_argument("--auth", nargs=2, metavar=("USER", "PASSWORD"))
    p.add_argument("--refuse-login", action="store_true")
    p.add_argument("--starttls", action="store_true")
    p.add_argument("--refuse-rcpt", action="append", default=[])
    p.add_argument("--silent", action="store_true")
    a = p.parse_args()

    port = free_port()
    if a.silent:
        server = silent_server(port)
    else:
        kwargs = {}
        if a.starttls:
            kwargs["tls_context"] = make_certificate(a.dir)
            kwargs["require_starttls"] = True
        if a.auth or a.refuse_login:
            user, password = a.auth or ("user", "password")
            kwargs["authenticator"] = Authenticator(user, password, a.refuse_login)
            kwargs["auth_required"] = True
            kwargs["auth_require_tls"] = a.starttls
        kwargs["data_size_limit"] = 64 * 1024 * 1024
        server = Controller(Recorder(a.dir, set(a.refuse_rcpt)), hostname="127.0.0.1", port=port, **kwargs)
        server.start()
    print("PORT %d" % port, flush=True)
    sys.stdin.read()
    if not a.silent:
        server.stop()


if __name__ == "__main__":
    main()
