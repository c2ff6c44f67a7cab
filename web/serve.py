#!/usr/bin/env python3
"""Serves the built page (build-web/) on 127.0.0.1, cross-origin isolated as
its threads need, sending the precompressed .gz beside a file when the
browser takes gzip. Usage: serve.py [FOLDER] [PORT] (port 0: any free one);
prints the page's address, then serves until stopped."""
import http.server
import os
import sys

TYPES = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
         '.data': 'application/octet-stream', '.kerborec': 'application/octet-stream', '.txt': 'text/plain'}


def handler_for(root):
    class Handler(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            self.answer(True)

        def do_HEAD(self):
            self.answer(False)

        def answer(self, with_body):
            name = self.path.split('?', 1)[0].lstrip('/') or 'index.html'
            # Only the page's own files: no folders, no way out of the folder.
            if '/' in name or name.startswith('.') or not os.path.isfile(os.path.join(root, name)):
                self.send_error(404)
                return
            path = os.path.join(root, name)
            encoding = None
            if os.path.isfile(path + '.gz') and 'gzip' in self.headers.get('Accept-Encoding', ''):
                path, encoding = path + '.gz', 'gzip'
            with open(path, 'rb') as f:
                body = f.read()
            self.send_response(200)
            self.send_header('Content-Type', TYPES.get(os.path.splitext(name)[1], 'application/octet-stream'))
            if encoding:
                self.send_header('Content-Encoding', encoding)
            self.send_header('Content-Length', str(len(body)))
            self.send_header('Cross-Origin-Opener-Policy', 'same-origin')
            self.send_header('Cross-Origin-Embedder-Policy', 'require-corp')
            self.send_header('Cache-Control', 'no-cache')
            self.end_headers()
            if with_body:
                self.wfile.write(body)

        def log_message(self, *args):
            pass

    return Handler


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build-web')
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8025
    if not os.path.isfile(os.path.join(root, 'index.html')):
        sys.exit(f'serve.py: no page in {root}; make web builds it')
    server = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler_for(root))
    print(f'The game is at http://127.0.0.1:{server.server_port}/ (Ctrl+C ends)', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
