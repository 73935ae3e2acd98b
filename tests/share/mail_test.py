#!/usr/bin/env python3
"""xelo-tool mail against a real SMTP server on 127.0.0.1 (aiosmtpd), a stand-in sendmail on PATH
and a draft folder. Each received message is parsed with the email package and compared with
the files it should carry. Exits 77 (skipped) when aiosmtpd or Pillow is missing.

usage: mail_test.py XELO_TOOL
"""
import email
import logging
import email.policy
import io
import os
import shutil
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import unittest
import warnings

# aiosmtpd warns of a login without TLS, which the tests want.
warnings.simplefilter("ignore")
logging.disable(logging.WARNING)

try:
    from aiosmtpd.controller import Controller
    from aiosmtpd.smtp import AuthResult, LoginPassword
    from PIL import Image
except ImportError as missing:
    print(f"skipped: {missing.name} is not installed (Debian: python3-aiosmtpd, python3-pil)")
    sys.exit(77)

TOOL = sys.argv[1] if len(sys.argv) > 1 else "xelo-tool"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Inbox:
    """aiosmtpd handler keeping every envelope."""

    def __init__(self):
        self.envelopes = []

    async def handle_DATA(self, server, session, envelope):
        self.envelopes.append(envelope)
        return "250 OK"


class Smtp:
    """An SMTP server on 127.0.0.1 for one test; `password` turns on a login that only it passes."""

    def __init__(self, password=None, tls_context=None, ssl_context=None):
        self.inbox = Inbox()
        self.logins = []
        kwargs = {}
        if password is not None:
            def authenticate(server, session, envelope, mechanism, data):
                ok = isinstance(data, LoginPassword) and data.password == password.encode()
                self.logins.append((mechanism, data.login.decode(), ok))
                return AuthResult(success=ok, handled=False)
            kwargs = dict(authenticator=authenticate, auth_required=True, auth_require_tls=False)
        if tls_context is not None:
            kwargs["tls_context"] = tls_context
        self.port = free_port()
        self.controller = Controller(self.inbox, hostname="127.0.0.1", port=self.port,
                                     ssl_context=ssl_context, **kwargs)

    def __enter__(self):
        self.controller.start()
        return self

    def __exit__(self, *exc):
        self.controller.stop()


class DroppingServer:
    """Greets like an SMTP server, then hangs up at the first command; or, `silent`, never says
    a word and never hangs up."""

    def __init__(self, silent=False):
        self.silent = silent
        self.held = []
        self.sock = socket.socket()
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(4)
        self.port = self.sock.getsockname()[1]
        self.thread = threading.Thread(target=self.serve, daemon=True)

    def serve(self):
        while True:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            if self.silent:
                self.held.append(conn)
                continue
            with conn:
                conn.sendall(b"220 drop.example ESMTP\r\n")
                conn.recv(1024)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.sock.close()


class MailTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="xelo-mail-test-")
        self.tmp = os.path.join(self.dir, "tmp")  # TMPDIR of the tool: must end empty
        os.mkdir(self.tmp)
        self.photo = os.path.join(self.dir, "Strand Ærø.jpg")
        Image.effect_mandelbrot((201, 150), (-2, -1.2, 1, 1.2), 60).convert("RGB").save(self.photo, quality=85)
        self.drawing = os.path.join(self.dir, "plan.png")
        Image.new("RGB", (64, 40), (20, 120, 200)).save(self.drawing)
        with open(self.photo + ".txt", "wb") as f:
            f.write("Am Strand, Grüße\r\n".encode())
        with open(self.photo + ".wav", "wb") as f:
            f.write(b"RIFF\x24\x00\x00\x00WAVEfmt " + bytes(range(28)))

    def tearDown(self):
        shutil.rmtree(self.dir)

    def run_tool(self, *args, stdin="", env=None):
        full_env = dict(os.environ, TMPDIR=self.tmp, **(env or {}))
        return subprocess.run([TOOL, "mail", *args], input=stdin.encode(), capture_output=True,
                              env=full_env, timeout=60)

    def assertNoTemporaryFiles(self):
        self.assertEqual(os.listdir(self.tmp), [])

    def parse(self, raw):
        return email.message_from_bytes(raw, policy=email.policy.default)

    def attachments(self, message):
        return {part.get_filename(): part.get_content() for part in message.iter_attachments()}

    def read(self, path):
        with open(path, "rb") as f:
            return f.read()

    def test_smtp_carries_recipients_subject_body_and_every_file_unchanged(self):
        with Smtp() as server:
            done = self.run_tool("--to", "anna@example.org; ben@example.org", "--cc", "cleo@example.org",
                                 "--subject", "Ferien – Bilder", "--body", "Hallo ihr,\nanbei die Fotos.  \n",
                                 "--attach-text", "--attach-audio", "--smtp", f"127.0.0.1:{server.port}",
                                 "--from", "me@example.org", self.photo, self.drawing)
            self.assertEqual(done.returncode, 0, done.stderr.decode())
            self.assertEqual(len(server.inbox.envelopes), 1)
            envelope = server.inbox.envelopes[0]
        self.assertEqual(sorted(envelope.rcpt_tos), ["anna@example.org", "ben@example.org", "cleo@example.org"])
        self.assertEqual(envelope.mail_from, "me@example.org")
        message = self.parse(envelope.original_content)
        self.assertEqual([a.addr_spec for a in message["To"].addresses], ["anna@example.org", "ben@example.org"])
        self.assertEqual(message["Cc"].addresses[0].addr_spec, "cleo@example.org")
        self.assertEqual(message["Subject"], "Ferien – Bilder")
        self.assertEqual(message.get_body(("plain",)).get_content().rstrip("\r\n"), "Hallo ihr,\nanbei die Fotos.")
        files = self.attachments(message)
        name = os.path.basename(self.photo)
        self.assertEqual(set(files), {name, name + ".txt", name + ".wav", "plan.png"})
        self.assertEqual(files[name], self.read(self.photo))
        self.assertEqual(files["plan.png"], self.read(self.drawing))
        self.assertEqual(files[name + ".wav"], self.read(self.photo + ".wav"))
        text = files[name + ".txt"]
        self.assertEqual(text.encode() if isinstance(text, str) else text, self.read(self.photo + ".txt"))
        self.assertNoTemporaryFiles()

    def test_reduced_copies_decode_at_the_ratio_and_the_originals_stay(self):
        before = self.read(self.photo)
        with Smtp(password="secret") as server:
            done = self.run_tool("--to", "a@b", "--reduce", "25%", "--smtp", f"127.0.0.1:{server.port}",
                                 "--user", "me", self.photo, self.drawing, env={"XELO_SMTP_PASSWORD": "secret"})
            self.assertEqual(done.returncode, 0, done.stderr.decode())
            self.assertEqual(server.logins[-1][1:], ("me", True))
            files = self.attachments(self.parse(server.inbox.envelopes[0].original_content))
        photo = Image.open(io.BytesIO(files[os.path.basename(self.photo)]))
        self.assertEqual((photo.format, photo.size), ("JPEG", (50, 38)))  # 201x150 at 25 %, rounded
        drawing = Image.open(io.BytesIO(files["plan.png"]))
        self.assertEqual((drawing.format, drawing.size), ("PNG", (16, 10)))
        self.assertEqual(self.read(self.photo), before)
        self.assertEqual(sorted(os.listdir(self.dir)), sorted(["tmp", os.path.basename(self.photo), "plan.png",
                                                                os.path.basename(self.photo) + ".txt",
                                                                os.path.basename(self.photo) + ".wav"]))
        self.assertNoTemporaryFiles()

    def test_refused_login_and_dropped_connection_are_clear_errors_leaving_nothing_behind(self):
        with Smtp(password="right") as server:
            refused = self.run_tool("--to", "a@b", "--reduce", "50", "--smtp", f"127.0.0.1:{server.port}",
                                    "--user", "me", self.photo, env={"XELO_SMTP_PASSWORD": "wrong"})
            self.assertEqual(server.inbox.envelopes, [])
        with DroppingServer() as dropping:
            dropped = self.run_tool("--to", "a@b", "--reduce", "50", "--smtp", f"127.0.0.1:{dropping.port}",
                                    self.photo)
        with DroppingServer(silent=True) as silent:
            started = time.monotonic()
            waited = self.run_tool("--to", "a@b", "--reduce", "50", "--timeout", "1", "--smtp",
                                   f"127.0.0.1:{silent.port}", self.photo)
            self.assertLess(time.monotonic() - started, 20)
        for done, words in ((refused, "Authentication"), (dropped, ""), (waited, "")):
            error = done.stderr.decode()
            self.assertEqual(done.returncode, 1, error)
            self.assertIn("Unable to send e-mail.", error)
            self.assertIn("Failed to open the mail service: ", error)
            self.assertIn(words, error)
            self.assertNoTemporaryFiles()

    def test_certificates_are_checked_unless_turned_off(self):
        key, cert = os.path.join(self.dir, "key.pem"), os.path.join(self.dir, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                        "/CN=127.0.0.1", "-keyout", key, "-out", cert], check=True, capture_output=True)
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(cert, key)
        with Smtp(tls_context=context) as server:
            checked = self.run_tool("--to", "a@b", "--starttls", "--smtp", f"127.0.0.1:{server.port}", self.photo)
            self.assertEqual(checked.returncode, 1)
            self.assertIn("Failed to open the mail service: ", checked.stderr.decode())
            self.assertEqual(server.inbox.envelopes, [])
            trusted = self.run_tool("--to", "a@b", "--starttls", "--no-verify", "--smtp",
                                    f"127.0.0.1:{server.port}", self.photo)
            self.assertEqual(trusted.returncode, 0, trusted.stderr.decode())
            self.assertEqual(len(server.inbox.envelopes), 1)
        with Smtp(ssl_context=context) as server:  # TLS from the first byte
            checked = self.run_tool("--to", "a@b", "--tls", "--smtp", f"127.0.0.1:{server.port}", self.photo)
            self.assertEqual(checked.returncode, 1)
            trusted = self.run_tool("--to", "a@b", "--tls", "--no-verify", "--smtp",
                                    f"127.0.0.1:{server.port}", self.photo)
            self.assertEqual(trusted.returncode, 0, trusted.stderr.decode())
            self.assertEqual(len(server.inbox.envelopes), 1)

    def stand_in_sendmail(self, status=0, says=""):
        bin_dir = os.path.join(self.dir, "bin")
        os.makedirs(bin_dir, exist_ok=True)
        script = os.path.join(bin_dir, "sendmail")
        with open(script, "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" > '{self.dir}/sendmail.args'\n"
                    f"cat > '{self.dir}/sendmail.in'\nprintf '{says}' >&2\nexit {status}\n")
        os.chmod(script, 0o755)
        return {"PATH": bin_dir + os.pathsep + os.environ["PATH"]}

    def test_sendmail_on_path_gets_the_message_and_its_failure_is_told(self):
        done = self.run_tool("--to", "anna@example.org", "--subject", "Hi", "--attach-text", "--sendmail",
                             self.photo, env=self.stand_in_sendmail())
        self.assertEqual(done.returncode, 0, done.stderr.decode())
        self.assertEqual(self.read(os.path.join(self.dir, "sendmail.args")).split(), [b"-t", b"-i"])
        raw = self.read(os.path.join(self.dir, "sendmail.in"))
        self.assertNotIn(b"\r\n", raw)
        message = self.parse(raw)
        self.assertEqual((message["To"], message["Subject"]), ("anna@example.org", "Hi"))
        self.assertEqual(self.attachments(message)[os.path.basename(self.photo)], self.read(self.photo))

        failed = self.run_tool("--to", "a@b", "--reduce", "40", "--sendmail", self.photo,
                               env=self.stand_in_sendmail(75, "queue is full"))
        self.assertEqual(failed.returncode, 1)
        self.assertIn("Failed to update the mail service: queue is full", failed.stderr.decode())
        self.assertNoTemporaryFiles()

    def test_drafts_are_new_eml_files_never_replacing_one(self):
        drafts = os.path.join(self.dir, "drafts")
        os.mkdir(drafts)
        paths = []
        for _ in range(2):
            done = self.run_tool("--to", "a@b", "--subject", "Urlaub/2024", "--draft", drafts, self.drawing)
            self.assertEqual(done.returncode, 0, done.stderr.decode())
            paths.append(done.stdout.decode().splitlines()[0])
        self.assertEqual([os.path.basename(p) for p in paths], ["Urlaub_2024.eml", "Urlaub_2024 (2).eml"])
        self.assertEqual(sorted(os.listdir(drafts)), ["Urlaub_2024 (2).eml", "Urlaub_2024.eml"])
        message = self.parse(self.read(paths[0]))
        self.assertEqual(self.attachments(message)["plan.png"], self.read(self.drawing))

    def test_address_questions_and_ratio_limits(self):
        drafts = os.path.join(self.dir, "drafts")
        os.mkdir(drafts)
        ab = "'ab' is not in a valid e-mail format."
        cases = [  # (arguments, answer on stdin, exit status, drafts written so far, asked)
            (["--to", "ab", "--cc", "c@d"], "n\n", 1, 0, True),  # two letters without "@"
            (["--to", "ab", "--cc", "c@d"], "y\n", 0, 1, True),
            (["--to", "a@b"], "", 0, 2, False),  # not asked: end of input would have cancelled
            (["--to", "ab"], "y\n", 2, 2, False),  # nothing like an address: Send is not offered
            (["--to", "a@b", "--reduce", "100"], "", 2, 2, False),
            (["--to", "a@b", "--reduce", "0"], "", 2, 2, False),
            (["--to", "a@b", "--reduce", "x"], "", 2, 2, False),
        ]
        for args, answer, status, count, asked in cases:
            done = self.run_tool(*args, "--draft", drafts, self.drawing, stdin=answer)
            error = done.stderr.decode()
            self.assertEqual(done.returncode, status, (args, error))
            self.assertEqual(len(os.listdir(drafts)), count, args)
            self.assertEqual(ab in error, asked, args)
            if "--reduce" in args:
                self.assertIn("Reduced ratio needs to be an integer between 1 and 99.", error)

    def test_an_image_that_cannot_be_attached_is_skipped(self):
        drafts = os.path.join(self.dir, "drafts")
        os.mkdir(drafts)
        broken = os.path.join(self.dir, "broken.jpg")
        with open(broken, "wb") as f:
            f.write(b"\xff\xd8\xff\xe0 not a picture")
        done = self.run_tool("--to", "a@b", "--reduce", "50", "--draft", drafts, broken, self.drawing)
        self.assertEqual(done.returncode, 1)
        self.assertIn("Unable to add attachment.", done.stderr.decode())
        (draft,) = os.listdir(drafts)
        self.assertEqual(set(self.attachments(self.parse(self.read(os.path.join(drafts, draft))))), {"plan.png"})
        self.assertNoTemporaryFiles()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2, warnings="ignore")
