#!/usr/bin/python3
"""The page as a school serves it: Debian's apache2 with the folder's own .htaccess, or nginx with
the server block of docs/web.md, each started here on a free port of 127.0.0.1 with a configuration of
its own and stopped after. Checks what each sends (types, compressed copies, caching, the page's
policy), then loads the page in headless Chromium: its first frame, no policy violation, the
offline reload and the update from one build to the next. With --load, thirty browsers' worth of
loads at once against Apache.

servers.py FOLDER OUT apache|nginx [--load]"""
import argparse, os, re, shutil, socket, statistics, subprocess, sys, tempfile, time, urllib.request
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import web_test as wt  # noqa: E402

HERE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


APACHE = """ServerRoot /etc/apache2
ServerName 127.0.0.1
Listen 127.0.0.1:{port}
PidFile {run}/apache.pid
ErrorLog {run}/error.log
LogLevel warn
User www-data
Group www-data
Mutex file:{run}
DefaultRuntimeDir {run}
LoadModule mpm_event_module /usr/lib/apache2/modules/mod_mpm_event.so
LoadModule authz_core_module /usr/lib/apache2/modules/mod_authz_core.so
LoadModule dir_module /usr/lib/apache2/modules/mod_dir.so
LoadModule mime_module /usr/lib/apache2/modules/mod_mime.so
LoadModule rewrite_module /usr/lib/apache2/modules/mod_rewrite.so
LoadModule headers_module /usr/lib/apache2/modules/mod_headers.so
LoadModule setenvif_module /usr/lib/apache2/modules/mod_setenvif.so
TypesConfig /etc/mime.types
DirectoryIndex index.html
DocumentRoot {root}
<Directory {root}>
    AllowOverride FileInfo Indexes
    Require all granted
</Directory>
"""


def start_apache(root, port, run):
    conf = os.path.join(run, "apache.conf")
    with open(conf, "w") as f:
        f.write(APACHE.format(port=port, root=root, run=run))
    return subprocess.Popen(["apache2", "-X", "-f", conf], stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)


def start_nginx(root, port, run):
    # The server block of docs/web.md, on this port and folder.
    with open(os.path.join(HERE, "app/web/nginx.conf")) as f:
        block = f.read().replace("listen 80;", f"listen 127.0.0.1:{port};").replace("root /var/www/vintalem;", f"root {root};")
    conf = os.path.join(run, "nginx.conf")
    with open(conf, "w") as f:
        f.write(f"""load_module /usr/lib/nginx/modules/ngx_http_brotli_static_module.so;
daemon off;
worker_processes 1;
pid {run}/nginx.pid;
error_log {run}/error.log warn;
events {{ worker_connections 256; }}
http {{
    access_log off;
    client_body_temp_path {run}/body;
    proxy_temp_path {run}/proxy;
    fastcgi_temp_path {run}/fastcgi;
    uwsgi_temp_path {run}/uwsgi;
    scgi_temp_path {run}/scgi;
    {block}
}}
""")
    return subprocess.Popen(["nginx", "-c", conf, "-p", run], stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)


def wait_for(port, process):
    end = time.monotonic() + 15
    while time.monotonic() < end and process.poll() is None:
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return True
        except OSError:
            time.sleep(0.1)
    return False


def get(url, encoding=None):
    request = urllib.request.Request(url, headers={"Accept-Encoding": encoding} if encoding else {})
    with urllib.request.urlopen(request, timeout=10) as response:
        return response.status, {k.lower(): v for k, v in response.headers.items()}, response.read()


def headers(base, build):
    """What the server sends for each kind of file, compressed as the browser asks."""
    status, h, body = get(f"{base}/vintalem.wasm?build={build}", "br, gzip")
    wt.check("the code: application/wasm, its Brotli copy, kept a year",
             status == 200 and h.get("content-type") == "application/wasm" and h.get("content-encoding") == "br"
             and "immutable" in h.get("cache-control", "") and len(body) < os.path.getsize(os.path.join(ROOT, "vintalem.wasm")),
             str(h))
    status, h, _ = get(f"{base}/vintalem.wasm?build={build}", "gzip")
    wt.check("to a browser without Brotli, the gzip copy", h.get("content-encoding") == "gzip"
             and h.get("content-type") == "application/wasm", str(h))
    status, h, body = get(f"{base}/vintalem.wasm?build={build}")
    wt.check("to a browser that takes neither, the file itself", "content-encoding" not in h
             and len(body) == os.path.getsize(os.path.join(ROOT, "vintalem.wasm")), str(h))
    status, h, _ = get(f"{base}/", "br")
    policy = h.get("content-security-policy", "")
    wt.check("the page: always checked, with its policy", h.get("content-type", "").startswith("text/html")
             and "no-cache" in h.get("cache-control", "") and "script-src 'self' 'wasm-unsafe-eval'" in policy
             and "unsafe-eval" not in policy.replace("wasm-unsafe-eval", ""), str(h))
    status, h, _ = get(f"{base}/sw.js?build={build}", "br")
    wt.check("the worker: always checked", h.get("content-type", "").startswith("text/javascript")
             and "no-cache" in h.get("cache-control", ""), str(h))
    status, h, _ = get(f"{base}/manifest.webmanifest?build={build}", "gzip")
    wt.check("the manifest: its type", h.get("content-type", "").startswith("application/manifest+json"), str(h))


def load(base, build, out):
    """Thirty browsers' worth of loads, thirty at a time: every file a browser fetches, as it
    fetches it (Brotli accepted)."""
    files = ["", f"pagina.js?build={build}", f"vintalem.js?build={build}", f"qtloader.js?build={build}",
             f"vintalem.wasm?build={build}", f"sw.js?build={build}", f"manifest.webmanifest?build={build}",
             f"favicon.ico?build={build}", f"icona-192.png?build={build}", f"icona-512.png?build={build}",
             f"qrcode.js?build={build}"]

    def browser_load(_):
        sent, begin = 0, time.monotonic()
        for name in files:
            status, _, body = get(f"{base}/{name}", "br, gzip")
            if status != 200:
                raise RuntimeError(f"{name}: {status}")
            sent += len(body)
        return sent, time.monotonic() - begin

    begin = time.monotonic()
    errors = 0
    results = []
    with ThreadPoolExecutor(max_workers=30) as pool:
        for outcome in pool.map(lambda i: _safe(browser_load, i), range(30)):
            if isinstance(outcome, Exception):
                errors += 1
            else:
                results.append(outcome)
    took = time.monotonic() - begin
    sent = sum(r[0] for r in results)
    wt.check("thirty loads at once from one Apache, with no error", errors == 0 and len(results) == 30,
             f"{len(results)} loads in {took:.2f} s, {sent} bytes sent ({sent / max(len(results), 1):.0f} a load), "
             f"median load {statistics.median(r[1] for r in results) if results else 0:.2f} s")


def _safe(function, argument):
    try:
        return function(argument)
    except Exception as e:  # counted as a failed load
        return e


def main():
    global ROOT
    a = argparse.ArgumentParser()
    a.add_argument("folder")
    a.add_argument("out")
    a.add_argument("server", choices=("apache", "nginx"))
    a.add_argument("--load", action="store_true")
    args = a.parse_args()
    os.makedirs(args.out, exist_ok=True)
    run = tempfile.mkdtemp(prefix=f"vintalem-{args.server}-")
    os.chmod(run, 0o755)
    # The folder as a school copies it: readable by the server's user.
    ROOT = os.path.join(run, "vintalem")
    shutil.copytree(args.folder, ROOT)
    subprocess.run(["chmod", "-R", "a+rX", run], check=True)
    port = free_port()
    start = start_apache if args.server == "apache" else start_nginx
    server = start(ROOT, port, run)
    driver = None
    try:
        if not wt.check(f"{args.server} starts on 127.0.0.1:{port}", wait_for(port, server)):
            log = os.path.join(run, "error.log")
            print(open(log).read() if os.path.exists(log) else "")
            return wt.finish()
        base = f"http://127.0.0.1:{port}"
        with open(os.path.join(ROOT, "index.html")) as f:
            build = re.search(r"build=([0-9a-f]+)", f.read()).group(1)
        headers(base, build)
        if args.load:
            load(base, build, args.out)
            return wt.finish()
        driver = wt.browser(1366, 768)
        url = base + "/"
        wt.watch_policy(driver)
        wt.measure_frame(driver, url, args.server)
        if args.server == "apache":
            wt.slow_loads(driver, url)
        a_build = wt.offline(driver, url, ROOT, args.out)
        server.terminate()
        server.wait(timeout=10)
        driver.refresh()
        wt.play_offline(wt.Page(driver, None, args.out))
        wt.no_violations(driver, f"{args.server}, offline")
        # The next build, copied over the old one as a school would.
        b_folder, b = wt.update(driver, url, ROOT, a_build)
        shutil.rmtree(ROOT)
        shutil.copytree(b_folder, ROOT)
        subprocess.run(["chmod", "-R", "a+rX", run], check=True)
        server = start(ROOT, port, run)
        wait_for(port, server)
        driver.get(url)
        wt.Page(driver, None, args.out).wait("build B", lambda s: s["windows"])
        end = time.monotonic() + 20
        while time.monotonic() < end and driver.execute_script("return window.vintalemBuildMark") != "B":
            time.sleep(0.2)
            driver.get(url)
        wt.check(f"{args.server}: a new build copied over the old one is what the next visit runs",
                 driver.execute_script("return window.vintalemBuildMark === 'B' && BUILD") == b)
    finally:
        if driver:
            driver.quit()
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
        shutil.rmtree(run, ignore_errors=True)
    return wt.finish()


ROOT = ""
if __name__ == "__main__":
    sys.exit(main())
