; Every text the Setup program and the uninstaller show besides NSIS's own,
; in each of their languages. Saved as UTF-8 with a byte order mark.

LangString StartNow ${LANG_ENGLISH} "Start Keylark now"
LangString StartNow ${LANG_JAPANESE} "Keylark を今すぐ起動する"

LangString SectionJapanese ${LANG_ENGLISH} "Japanese captions"
LangString SectionJapanese ${LANG_JAPANESE} "日本語の表示"

LangString SectionRunAtSignIn ${LANG_ENGLISH} "Start Keylark when I sign in"
LangString SectionRunAtSignIn ${LANG_JAPANESE} "サインイン時に Keylark を起動する"

LangString SectionFnAgent ${LANG_ENGLISH} "Start the Fn-key agent KeylarkFn when I sign in"
LangString SectionFnAgent ${LANG_JAPANESE} "サインイン時に Fn キー エージェント KeylarkFn を起動する"

LangString StillRunning ${LANG_ENGLISH} "Keylark is still running and could not be closed.$\n$\nClose Keylark and KeylarkFn, then choose Retry."
LangString StillRunning ${LANG_JAPANESE} "Keylark が実行中のため、終了できませんでした。$\n$\nKeylark と KeylarkFn を終了してから [再試行] を選んでください。"

LangString RemoveSettings ${LANG_ENGLISH} "Also remove your Keylark settings (the keys' assignments, the options and the key bar's position)?$\n$\nChoose No to keep them for a later installation."
LangString RemoveSettings ${LANG_JAPANESE} "Keylark の設定 (キーの割り当て、オプション、キー バーの位置) も削除しますか?$\n$\n後でインストールし直すときのために残すには [いいえ] を選んでください。"
