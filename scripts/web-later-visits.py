#!/usr/bin/python3
"""Where a later visit's time goes, in headless Chromium, with any further switches of its own:
web-later-visits.py FOLDER [VISITS] [CHROMIUM_SWITCH...]
One visit with an empty cache, then VISITS (default 7) later ones; prints each later visit's
marks and the medians of the first frame, of main, and of the first frame and the windows shown
after main. E.g. with --js-flags=--no-wasm-lazy-compilation, Chromium compiles the whole code
before it runs instead of each function as it is first called."""
import os, statistics, sys, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import web_test as w

folder = sys.argv[1]
visits = int(sys.argv[2]) if len(sys.argv) > 2 else 7
server = w.serve(folder)
url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
driver = w.browser(1366, 768, switches=sys.argv[3:])
try:
    w.empty_cache(driver, url)
    driver.get(url)
    driver.execute_async_script(w.FIRST_FRAME)
    time.sleep(3)  # Chromium keeps the compiled code once compiling has been quiet for 2 s
    frames, marks = [], []
    for _ in range(visits):
        driver.get("about:blank")
        driver.get(url)
        frames.append(driver.execute_async_script(w.FIRST_FRAME))
        marks.append(driver.execute_script(w.PROFILE))
        print(f"later visit: first frame {frames[-1]:.0f} ms, {marks[-1]}", flush=True)
    median = lambda values: round(statistics.median(values))
    print(f"medians of {visits}: first frame {median(frames)} ms, main at {median([m['main'] for m in marks])}, "
          f"first frame {median([f - m['main'] for f, m in zip(frames, marks)])} after main, "
          f"windows shown {median([m['shown'] - m['main'] for m in marks])} after main")
finally:
    driver.quit()
    server.shutdown()
