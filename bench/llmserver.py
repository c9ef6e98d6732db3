#!/usr/bin/env python3
"""A stand-in for an OpenAI-style chat service on 127.0.0.1, for `parlonex-bench translate`.

Every request is answered after a fixed delay (one thread per request, so parallel requests
overlap as they would at a real service). Each numbered text of the prompt comes back as
"T:<text>" under the first target language the prompt names.

    python3 bench/llmserver.py [--port 8765] [--delay 1.0]
"""
import argparse
import json
import re
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LINE = re.compile(r"^(\d+)\. (.*)$")
TARGET = re.compile(r"\binto (.+?)(?:,| and |\.\s)")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    delay = 1.0

    def do_POST(self):
        body = json.loads(self.rfile.read(int(self.headers.get("Content-Length", 0))) or b"{}")
        prompt = body.get("messages", [{}])[-1].get("content", "")
        target = TARGET.search(prompt)
        language = target.group(1) if target else "translation"
        lines = prompt.split("\n")
        # The numbered texts follow "Texts:"; the notes on them come before it.
        if "Texts:" in lines:
            lines = lines[len(lines) - lines[::-1].index("Texts:"):]
        answer = []
        for line in lines:
            match = LINE.match(line)
            if match:
                answer.append({"id": int(match.group(1)), language: "T:" + match.group(2)})
        time.sleep(self.delay)
        reply = json.dumps({
            "choices": [{"index": 0, "finish_reason": "stop",
                         "message": {"role": "assistant", "content": json.dumps(answer)}}],
            "usage": {"total_tokens": len(prompt) // 4 + 20 * len(answer)},
        }).encode()
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=8765)
    parser.add_argument("--delay", type=float, default=1.0)
    options = parser.parse_args()
    Handler.delay = options.delay
    ThreadingHTTPServer(("127.0.0.1", options.port), Handler).serve_forever()


if __name__ == "__main__":
    main()
