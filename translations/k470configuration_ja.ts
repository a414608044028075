<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ShellPortChooser</name>
    <message>
        <source>USB VCOM Port :</source>
        <translation>USB VCOM ポート :</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Error on setting communication state</source>
        <translation>通信状態の設定中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Can&apos;t open the COM port!</source>
        <translation>COM ポートを開けません。</translation>
    </message>
</context>
<context>
    <name>k470</name>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Device type is not match!</source>
        <translation>デバイスの種類が一致しません。</translation>
    </message>
    <message>
        <source>Read Settings</source>
        <translation>設定の読み込み</translation>
    </message>
    <message>
        <source>Failed to get battery information!</source>
        <translation>バッテリー情報を取得できませんでした。</translation>
    </message>
    <message>
        <source>Failed to get free memory size!</source>
        <translation>空きメモリ容量を取得できませんでした。</translation>
    </message>
    <message>
        <source>Failed to clear memory!</source>
        <translation>メモリをクリアできませんでした。</translation>
    </message>
    <message>
        <source>Failed to update system clock!</source>
        <translation>システム時計を更新できませんでした。</translation>
    </message>
    <message>
        <source>Failed to read!</source>
        <translation>読み込みに失敗しました。</translation>
    </message>
    <message>
        <source>Failed to read, would you like to retry?</source>
        <translation>読み込みに失敗しました。再試行しますか?</translation>
    </message>
    <message>
        <source>Failed to download!</source>
        <translation>ダウンロードに失敗しました。</translation>
    </message>
    <message>
        <source>Downloaded completely!</source>
        <translation>ダウンロードが完了しました。</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>ダウンロード</translation>
    </message>
    <message>
        <source>Failed to download, would you like to retry?</source>
        <translation>ダウンロードに失敗しました。再試行しますか?</translation>
    </message>
    <message>
        <source>    【COM Setting】Please check the port number and press OK to try again</source>
        <translation>    【COM 設定】ポート番号を確認し、[OK] を押して再試行してください</translation>
    </message>
    <message>
        <source>Opening COM Port failed! Do you want to retry?</source>
        <translation>COM ポートを開けませんでした。再試行しますか?</translation>
    </message>
    <message>
        <source>    【Retry】Please check the COM port and press Retry</source>
        <translation>    【再試行】COM ポートを確認し、[再試行] を押してください</translation>
    </message>
    <message>
        <source>    【Cancel】to abort COM Port opening</source>
        <translation>    【キャンセル】COM ポートを開くのを中止します</translation>
    </message>
    <message>
        <source>Connecting to device failed! Retry this connection?</source>
        <translation>デバイスに接続できませんでした。再接続しますか?</translation>
    </message>
    <message>
        <source>    【Retry】Please press K470 trigger key to wake up K470 and press Retry</source>
        <translation>    【再試行】K470 のトリガーキーを押して K470 をスリープから復帰させ、[再試行] を押してください</translation>
    </message>
    <message>
        <source>    【Cancel】to abort connection</source>
        <translation>    【キャンセル】接続を中止します</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>ダウンロード中...</translation>
    </message>
    <message>
        <source>Uploading</source>
        <translation>アップロード中</translation>
    </message>
    <message>
        <source>Uploading the Memorized Data Successful!</source>
        <translation>メモリデータのアップロードが完了しました。</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Uploading the Memorized Data Failed!</source>
        <translation>メモリデータのアップロードに失敗しました。</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>ダウンロード中</translation>
    </message>
    <message>
        <source>Uploading...</source>
        <translation>アップロード中...</translation>
    </message>
    <message>
        <source>USB VCOM is opened...</source>
        <translation>USB VCOM を開きました...</translation>
    </message>
    <message>
        <source>USB VCOM is closed...</source>
        <translation>USB VCOM を閉じました...</translation>
    </message>
    <message>
        <source>Connecting to K470......</source>
        <translation>K470 に接続しています......</translation>
    </message>
    <message>
        <source>Connected!</source>
        <translation>接続しました。</translation>
    </message>
    <message>
        <source>Disconnected!</source>
        <translation>切断しました。</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>無効</translation>
    </message>
    <message>
        <source>CRC</source>
        <translation>CRC</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>PC</translation>
    </message>
    <message>
        <source>EPC</source>
        <translation>EPC</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>データ</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>[Tab]</source>
        <translation>[Tab]</translation>
    </message>
    <message>
        <source>250ms</source>
        <translation>250ms</translation>
    </message>
    <message>
        <source>500ms</source>
        <translation>500ms</translation>
    </message>
    <message>
        <source>1000ms</source>
        <translation>1000ms</translation>
    </message>
    <message>
        <source>2000ms</source>
        <translation>2000ms</translation>
    </message>
    <message>
        <source>3000ms</source>
        <translation>3000ms</translation>
    </message>
    <message>
        <source>5000ms</source>
        <translation>5000ms</translation>
    </message>
    <message>
        <source>8000ms</source>
        <translation>8000ms</translation>
    </message>
    <message>
        <source>Packet Data</source>
        <translation>パケットデータ</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>16 進数</translation>
    </message>
    <message>
        <source>Raw Data</source>
        <translation>生データ</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>カウンター</translation>
    </message>
    <message>
        <source>Timestamp</source>
        <translation>タイムスタンプ</translation>
    </message>
    <message>
        <source>EPC Tag</source>
        <translation>EPC タグ</translation>
    </message>
    <message>
        <source>Stand Alone</source>
        <translation>スタンドアロン</translation>
    </message>
    <message>
        <source>On-Line</source>
        <translation>オンライン</translation>
    </message>
    <message>
        <source>[space]</source>
        <translation>[space]</translation>
    </message>
    <message>
        <source>[Date]</source>
        <translation>[日付]</translation>
    </message>
    <message>
        <source>[Date][Time]</source>
        <translation>[日付][時刻]</translation>
    </message>
    <message>
        <source>[Date][Time][Day of Week]</source>
        <translation>[日付][時刻][曜日]</translation>
    </message>
    <message>
        <source>[Date][Day of Week][Time]</source>
        <translation>[日付][曜日][時刻]</translation>
    </message>
    <message>
        <source>[Time]</source>
        <translation>[時刻]</translation>
    </message>
    <message>
        <source>[Time][Date]</source>
        <translation>[時刻][日付]</translation>
    </message>
    <message>
        <source>[Time][Date][Day of Week]</source>
        <translation>[時刻][日付][曜日]</translation>
    </message>
    <message>
        <source>[Time][Day of Week][Date]</source>
        <translation>[時刻][曜日][日付]</translation>
    </message>
    <message>
        <source>[Day of Week][Date][Time]</source>
        <translation>[曜日][日付][時刻]</translation>
    </message>
    <message>
        <source>[Day of Week][Time][Date]</source>
        <translation>[曜日][時刻][日付]</translation>
    </message>
    <message>
        <source>yyyy/MM/dd</source>
        <translation>yyyy/MM/dd</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <translation>yyyy-MM-dd</translation>
    </message>
    <message>
        <source>yyyy.MM.dd</source>
        <translation>yyyy.MM.dd</translation>
    </message>
    <message>
        <source>MM/dd/yyyy</source>
        <translation>MM/dd/yyyy</translation>
    </message>
    <message>
        <source>MM-dd-yyyy</source>
        <translation>MM-dd-yyyy</translation>
    </message>
    <message>
        <source>dd/MM/yyyy</source>
        <translation>dd/MM/yyyy</translation>
    </message>
    <message>
        <source>dd-MM-yyyy</source>
        <translation>dd-MM-yyyy</translation>
    </message>
    <message>
        <source>dd.MM.yyyy</source>
        <translation>dd.MM.yyyy</translation>
    </message>
    <message>
        <source>hh:mm:ss</source>
        <translation>hh:mm:ss</translation>
    </message>
    <message>
        <source>hh:mm</source>
        <translation>hh:mm</translation>
    </message>
    <message>
        <source>[Space]</source>
        <translation>[Space]</translation>
    </message>
    <message>
        <source>All disable is inadmissible!</source>
        <translation>すべてを無効にすることはできません。</translation>
    </message>
    <message>
        <source>The same section can only be used once!</source>
        <translation>同じ項目は 1 回しか使用できません。</translation>
    </message>
    <message>
        <source>Trigger is pressed</source>
        <translation>トリガーを押したとき</translation>
    </message>
    <message>
        <source>Trigger is released</source>
        <translation>トリガーを離したとき</translation>
    </message>
    <message>
        <source>F1 is pressed</source>
        <translation>F1 を押したとき</translation>
    </message>
    <message>
        <source>F1 is released</source>
        <translation>F1 を離したとき</translation>
    </message>
    <message>
        <source>F2 is pressed</source>
        <translation>F2 を押したとき</translation>
    </message>
    <message>
        <source>F2 is released</source>
        <translation>F2 を離したとき</translation>
    </message>
    <message>
        <source>F1 + Trigger are pressed</source>
        <translation>F1 + トリガーを押したとき</translation>
    </message>
    <message>
        <source>F2 + Trigger are pressed</source>
        <translation>F2 + トリガーを押したとき</translation>
    </message>
    <message>
        <source>HID PACT US</source>
        <translation>HID PACT US</translation>
    </message>
    <message>
        <source>HID PACT French</source>
        <translation>HID PACT French</translation>
    </message>
    <message>
        <source>HID PACT German</source>
        <translation>HID PACT German</translation>
    </message>
    <message>
        <source>HID PACT Italy</source>
        <translation>HID PACT Italy</translation>
    </message>
    <message>
        <source>HID PACT Swedish</source>
        <translation>HID PACT Swedish</translation>
    </message>
    <message>
        <source>HID PACT Norwegian</source>
        <translation>HID PACT Norwegian</translation>
    </message>
    <message>
        <source>HID PACT UK</source>
        <translation>HID PACT UK</translation>
    </message>
    <message>
        <source>HID PACT Belgium</source>
        <translation>HID PACT Belgium</translation>
    </message>
    <message>
        <source>HID PACT Spanish</source>
        <translation>HID PACT Spanish</translation>
    </message>
    <message>
        <source>HID PACT Portuguese</source>
        <translation>HID PACT Portuguese</translation>
    </message>
    <message>
        <source>HID PS55A01 2 Japanese</source>
        <translation>HID PS55A01 2 Japanese</translation>
    </message>
    <message>
        <source>HID User Defined KBD</source>
        <translation>HID User Defined KBD</translation>
    </message>
    <message>
        <source>HID PCAT Trukish</source>
        <translation>HID PCAT Trukish</translation>
    </message>
    <message>
        <source>HID PACT Hungarian</source>
        <translation>HID PACT Hungarian</translation>
    </message>
    <message>
        <source>M912 PACT US</source>
        <translation>M912 PACT US</translation>
    </message>
    <message>
        <source>M912 PACT French</source>
        <translation>M912 PACT French</translation>
    </message>
    <message>
        <source>M912 PACT German</source>
        <translation>M912 PACT German</translation>
    </message>
    <message>
        <source>M912 PACT Italy</source>
        <translation>M912 PACT Italy</translation>
    </message>
    <message>
        <source>M912 PACT Swedish</source>
        <translation>M912 PACT Swedish</translation>
    </message>
    <message>
        <source>M912 PACT Norwegian</source>
        <translation>M912 PACT Norwegian</translation>
    </message>
    <message>
        <source>M912 PACT UK</source>
        <translation>M912 PACT UK</translation>
    </message>
    <message>
        <source>M912 PACT Belgium</source>
        <translation>M912 PACT Belgium</translation>
    </message>
    <message>
        <source>M912 PACT Spanish</source>
        <translation>M912 PACT Spanish</translation>
    </message>
    <message>
        <source>M912 PACT Portuguese</source>
        <translation>M912 PACT Portuguese</translation>
    </message>
    <message>
        <source>M912 PS55A01 2 Japanese</source>
        <translation>M912 PS55A01 2 Japanese</translation>
    </message>
    <message>
        <source>M912 User Defined KBD</source>
        <translation>M912 User Defined KBD</translation>
    </message>
    <message>
        <source>M912 PCAT Trukish</source>
        <translation>M912 PCAT Trukish</translation>
    </message>
    <message>
        <source>M912 PACT Hungarian</source>
        <translation>M912 PACT Hungarian</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>On</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Caps Lock</source>
        <translation>Caps Lock</translation>
    </message>
    <message>
        <source>Shift Lock</source>
        <translation>Shift Lock</translation>
    </message>
    <message>
        <source>Batch Processing</source>
        <translation>一括処理</translation>
    </message>
    <message>
        <source>By Character</source>
        <translation>1 文字ずつ</translation>
    </message>
    <message>
        <source>AZERTY</source>
        <translation>AZERTY</translation>
    </message>
    <message>
        <source>QWERTZ</source>
        <translation>QWERTZ</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別する</translation>
    </message>
    <message>
        <source>Ignore Case</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
    <message>
        <source>Alpha Numeric Keypad</source>
        <translation>英数字キー</translation>
    </message>
    <message>
        <source>Numeric Keypad</source>
        <translation>テンキー</translation>
    </message>
    <message>
        <source>Lower Row</source>
        <translation>下段</translation>
    </message>
    <message>
        <source>Upper Row</source>
        <translation>上段</translation>
    </message>
    <message>
        <source>Bluetooth SPP Slave</source>
        <translation>Bluetooth SPP Slave</translation>
    </message>
    <message>
        <source>Bluetooth HID</source>
        <translation>Bluetooth HID</translation>
    </message>
    <message>
        <source>M912 VCOM</source>
        <translation>M912 VCOM</translation>
    </message>
    <message>
        <source>M912 HID</source>
        <translation>M912 HID</translation>
    </message>
    <message>
        <source>8 kHz</source>
        <translation>8 kHz</translation>
    </message>
    <message>
        <source>4 kHz</source>
        <translation>4 kHz</translation>
    </message>
    <message>
        <source>2 kHz</source>
        <translation>2 kHz</translation>
    </message>
    <message>
        <source>1 kHz</source>
        <translation>1 kHz</translation>
    </message>
    <message>
        <source>Shortest</source>
        <translation>最短</translation>
    </message>
    <message>
        <source>Short</source>
        <translation>短い</translation>
    </message>
    <message>
        <source>Longer</source>
        <translation>長い</translation>
    </message>
    <message>
        <source>Longest</source>
        <translation>最長</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>中</translation>
    </message>
    <message>
        <source>High</source>
        <translation>高</translation>
    </message>
    <message>
        <source>By EPC Filter Value</source>
        <translation>EPC フィルター値で</translation>
    </message>
    <message>
        <source>By GS1 Company Prefix</source>
        <translation>GS1 事業者コードで</translation>
    </message>
    <message>
        <source>By Item Reference</source>
        <translation>商品アイテムコードで</translation>
    </message>
    <message>
        <source>Disable Filter</source>
        <translation>フィルター無効</translation>
    </message>
    <message>
        <source>Include EPC</source>
        <translation>EPC を含める</translation>
    </message>
    <message>
        <source>Exclude EPC</source>
        <translation>EPC を除外する</translation>
    </message>
    <message>
        <source>[0] All Others</source>
        <translation>[0] その他すべて</translation>
    </message>
    <message>
        <source>[1] Reserved</source>
        <translation>[1] 予約済み</translation>
    </message>
    <message>
        <source>[2] Reserved</source>
        <translation>[2] 予約済み</translation>
    </message>
    <message>
        <source>[3] Reserved</source>
        <translation>[3] 予約済み</translation>
    </message>
    <message>
        <source>[4] Reserved</source>
        <translation>[4] 予約済み</translation>
    </message>
    <message>
        <source>[5] Reserved</source>
        <translation>[5] 予約済み</translation>
    </message>
    <message>
        <source>[6] Reserved</source>
        <translation>[6] 予約済み</translation>
    </message>
    <message>
        <source>[7] Reserved</source>
        <translation>[7] 予約済み</translation>
    </message>
    <message>
        <source>[1] Point of Sale (POS) Trade Item</source>
        <translation>[1] POS 取引商品</translation>
    </message>
    <message>
        <source>[2] Full Case for Transport</source>
        <translation>[2] 輸送用フルケース</translation>
    </message>
    <message>
        <source>[4] Inner Pack Trade Item Grouping for Handling</source>
        <translation>[4] 取扱い用の内装取引商品グループ</translation>
    </message>
    <message>
        <source>[6] Unit Load</source>
        <translation>[6] ユニットロード</translation>
    </message>
    <message>
        <source>[7] Unit insied Trade Item or component inside a product not intended for individual sale</source>
        <translation>[7] 取引商品内のユニット、または個別販売を目的としない製品内の部品</translation>
    </message>
    <message>
        <source>[0] Pallet (palletized unit load)</source>
        <translation>[0] パレット (パレット化されたユニットロード)</translation>
    </message>
    <message>
        <source>[1] Case (shipping and exterior container)</source>
        <translation>[1] ケース (出荷用・外装コンテナ)</translation>
    </message>
    <message>
        <source>[2] Unit pack</source>
        <translation>[2] ユニットパック</translation>
    </message>
    <message>
        <source>[1] Item, other than an item to whick filter value 8 through 63 apply</source>
        <translation>[1] フィルター値 8~63 が適用されるもの以外のアイテム</translation>
    </message>
    <message>
        <source>[2] Carton</source>
        <translation>[2] カートン</translation>
    </message>
    <message>
        <source>[6] Pallet</source>
        <translation>[6] パレット</translation>
    </message>
    <message>
        <source>[8] Seat cushions</source>
        <translation>[8] シートクッション</translation>
    </message>
    <message>
        <source>[9] Seat covers</source>
        <translation>[9] シートカバー</translation>
    </message>
    <message>
        <source>[10] Seat belts</source>
        <translation>[10] シートベルト</translation>
    </message>
    <message>
        <source>[11] Galley cars</source>
        <translation>[11] ギャレーカート</translation>
    </message>
    <message>
        <source>[12] Unit Load Devices, cargo containers</source>
        <translation>[12] ユニットロードデバイス、貨物コンテナ</translation>
    </message>
    <message>
        <source>[13] Security items (life vest boxes, rear lav walls, lav ceiling access hatches)</source>
        <translation>[13] 保安用品 (救命胴衣ボックス、化粧室後部壁、化粧室天井点検口)</translation>
    </message>
    <message>
        <source>[14] Life vests</source>
        <translation>[14] 救命胴衣</translation>
    </message>
    <message>
        <source>[15] Oxygen generators</source>
        <translation>[15] 酸素発生器</translation>
    </message>
    <message>
        <source>[16] Engine components</source>
        <translation>[16] エンジン部品</translation>
    </message>
    <message>
        <source>[17] Avionics</source>
        <translation>[17] アビオニクス</translation>
    </message>
    <message>
        <source>[18] Experimental (flight test) equipment</source>
        <translation>[18] 試験用 (飛行試験) 機器</translation>
    </message>
    <message>
        <source>[19] Other emergency equipment (smoke masks, PBE, crash axes, medical kits, smoke </source>
        <translation>[19] その他の非常用機器 (防煙マスク、PBE、クラッシュアックス、救急キット、煙 </translation>
    </message>
    <message>
        <source>[20] Other rotables; e.g., line or base replaceable</source>
        <translation>[20] その他のローテーブル品 (ライン交換品、ベース交換品など)</translation>
    </message>
    <message>
        <source>[21] Other repariable</source>
        <translation>[21] その他の修理可能品</translation>
    </message>
    <message>
        <source>[22] Other cabin interior</source>
        <translation>[22] その他の客室内装品</translation>
    </message>
    <message>
        <source>[23] Other repair (exclude component); e.g., structure item repair</source>
        <translation>[23] その他の修理 (部品を除く。構造部材の修理など)</translation>
    </message>
    <message>
        <source>100ms</source>
        <translation>100ms</translation>
    </message>
    <message>
        <source>200ms</source>
        <translation>200ms</translation>
    </message>
    <message>
        <source>400ms</source>
        <translation>400ms</translation>
    </message>
    <message>
        <source>800ms</source>
        <translation>800ms</translation>
    </message>
    <message>
        <source>By GS1 company prefix</source>
        <translation>GS1 事業者コードで</translation>
    </message>
    <message>
        <source> a document type</source>
        <translation> 文書タイプ</translation>
    </message>
    <message>
        <source>By document type</source>
        <translation>文書タイプで</translation>
    </message>
    <message>
        <source> a serial reference</source>
        <translation> シリアルリファレンス</translation>
    </message>
    <message>
        <source>By serial reference</source>
        <translation>シリアルリファレンスで</translation>
    </message>
    <message>
        <source> a serial number</source>
        <translation> シリアル番号</translation>
    </message>
    <message>
        <source>By government managed identifier</source>
        <translation>政府管理識別子で</translation>
    </message>
    <message>
        <source>By serial number</source>
        <translation>シリアル番号で</translation>
    </message>
    <message>
        <source>an item reference</source>
        <translation>商品アイテムコード</translation>
    </message>
    <message>
        <source>By item reference</source>
        <translation>商品アイテムコードで</translation>
    </message>
    <message>
        <source> a location reference</source>
        <translation> ロケーションリファレンス</translation>
    </message>
    <message>
        <source>By location reference</source>
        <translation>ロケーションリファレンスで</translation>
    </message>
    <message>
        <source>an asset type</source>
        <translation>資産タイプ</translation>
    </message>
    <message>
        <source>By asset type</source>
        <translation>資産タイプで</translation>
    </message>
    <message>
        <source>an individual asset reference</source>
        <translation>個別資産リファレンス</translation>
    </message>
    <message>
        <source>By individual asset reference</source>
        <translation>個別資産リファレンスで</translation>
    </message>
    <message>
        <source> a object class</source>
        <translation> オブジェクトクラス</translation>
    </message>
    <message>
        <source>By general manager number</source>
        <translation>ゼネラルマネージャー番号で</translation>
    </message>
    <message>
        <source>By object class</source>
        <translation>オブジェクトクラスで</translation>
    </message>
    <message>
        <source> a part number</source>
        <translation> 部品番号</translation>
    </message>
    <message>
        <source>By CAGE/DoDAAC</source>
        <translation>CAGE/DoDAAC で</translation>
    </message>
    <message>
        <source>By part number</source>
        <translation>部品番号で</translation>
    </message>
    <message>
        <source>GDTI-96</source>
        <translation>GDTI-96</translation>
    </message>
    <message>
        <source>GSRN-96</source>
        <translation>GSRN-96</translation>
    </message>
    <message>
        <source>DoD-96</source>
        <translation>DoD-96</translation>
    </message>
    <message>
        <source>SGTIN-96</source>
        <translation>SGTIN-96</translation>
    </message>
    <message>
        <source>SSCC-96</source>
        <translation>SSCC-96</translation>
    </message>
    <message>
        <source>SGLN-96</source>
        <translation>SGLN-96</translation>
    </message>
    <message>
        <source>GRAI-96</source>
        <translation>GRAI-96</translation>
    </message>
    <message>
        <source>GIAI-96</source>
        <translation>GIAI-96</translation>
    </message>
    <message>
        <source>GID-96</source>
        <translation>GID-96</translation>
    </message>
    <message>
        <source>SGTIN-198</source>
        <translation>SGTIN-198</translation>
    </message>
    <message>
        <source>GRAI-170</source>
        <translation>GRAI-170</translation>
    </message>
    <message>
        <source>GIAI-202</source>
        <translation>GIAI-202</translation>
    </message>
    <message>
        <source>SGLN-195</source>
        <translation>SGLN-195</translation>
    </message>
    <message>
        <source>GDTI-113</source>
        <translation>GDTI-113</translation>
    </message>
    <message>
        <source>ADI-var</source>
        <translation>ADI-var</translation>
    </message>
    <message>
        <source>Too many characters !!!</source>
        <translation>文字数が多すぎます !!!</translation>
    </message>
</context>
<context>
    <name>k470::gui</name>
    <message>
        <source>System</source>
        <translation>システム</translation>
    </message>
    <message>
        <source>TAG Type</source>
        <translation>タグの種類</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>動作</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>K470 settings (*.K470)</source>
        <translation>K470 設定ファイル (*.K470)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>k470::gui::AboutDialog</name>
    <message>
        <source>About K470Configuration</source>
        <translation>K470Configuration のバージョン情報</translation>
    </message>
    <message>
        <source>K470 Configuration, Version </source>
        <translation>K470 Configuration バージョン </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>k470::gui::ComPortPropertiesDialog</name>
    <message>
        <source>Baud rate :</source>
        <translation>ボーレート :</translation>
    </message>
    <message>
        <source>Data bits :</source>
        <translation>データビット :</translation>
    </message>
    <message>
        <source>Parity :</source>
        <translation>パリティ :</translation>
    </message>
    <message>
        <source>Stop Bit :</source>
        <translation>ストップビット :</translation>
    </message>
    <message>
        <source>Flow control :</source>
        <translation>フロー制御 :</translation>
    </message>
    <message>
        <source>Current Settings</source>
        <translation>現在の設定</translation>
    </message>
    <message>
        <source>User Defined Settings</source>
        <translation>ユーザー定義の設定</translation>
    </message>
    <message>
        <source>COM Port Properties</source>
        <translation>COM ポートのプロパティ</translation>
    </message>
    <message>
        <source>COM port :</source>
        <translation>COM ポート :</translation>
    </message>
    <message>
        <source>Settings Type</source>
        <translation>設定の種類</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>k470::gui::DateTimePage</name>
    <message>
        <source>Skip clock synchronization</source>
        <translation>時計を同期しない</translation>
    </message>
    <message>
        <source>Synchronize time and date with host automatically</source>
        <translation>日付と時刻をホストと自動的に同期する</translation>
    </message>
    <message>
        <source>Set time and date</source>
        <translation>日付と時刻を設定する</translation>
    </message>
    <message>
        <source>Date &amp;&amp; Time</source>
        <translation>日付と時刻</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <source>Date :</source>
        <translation>日付 :</translation>
    </message>
    <message>
        <source>Time :</source>
        <translation>時刻 :</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>時</translation>
    </message>
    <message>
        <source>Minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Second</source>
        <translation>秒</translation>
    </message>
</context>
<context>
    <name>k470::gui::DelimiterDialog</name>
    <message>
        <source>No Delimiter</source>
        <translation>区切り文字なし</translation>
    </message>
    <message>
        <source> [Tab]</source>
        <translation> [Tab]</translation>
    </message>
    <message>
        <source> [NULL]</source>
        <translation> [NULL]</translation>
    </message>
    <message>
        <source>Delimiter</source>
        <translation>区切り文字</translation>
    </message>
</context>
<context>
    <name>k470::gui::DeviceInfoPanel</name>
    <message>
        <source>[Device Type]   </source>
        <translation>[機種]          </translation>
    </message>
    <message>
        <source>[Serial Number] </source>
        <translation>[シリアル番号]  </translation>
    </message>
    <message>
        <source>[Kernel Version]</source>
        <translation>[カーネルバージョン]</translation>
    </message>
    <message>
        <source>[User Version]  </source>
        <translation>[ユーザーバージョン]</translation>
    </message>
    <message>
        <source>[BT_MACID]      </source>
        <translation>[BT_MACID]      </translation>
    </message>
    <message>
        <source>====== K470 DEVICE INFORMATION ======</source>
        <translation>====== K470 デバイス情報 ======</translation>
    </message>
</context>
<context>
    <name>k470::gui::DeviceSettingsSheet</name>
    <message>
        <source>Device Settings</source>
        <translation>デバイス設定</translation>
    </message>
</context>
<context>
    <name>k470::gui::EpcFieldPicker</name>
    <message>
        <source>Field %1</source>
        <translation>フィールド %1</translation>
    </message>
    <message>
        <source>Available fields</source>
        <translation>使用可能なフィールド</translation>
    </message>
    <message>
        <source>Selected fields</source>
        <translation>選択したフィールド</translation>
    </message>
    <message>
        <source>Add to selected fields</source>
        <translation>選択したフィールドに追加</translation>
    </message>
    <message>
        <source>Back to available fields</source>
        <translation>使用可能なフィールドに戻す</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上へ移動</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下へ移動</translation>
    </message>
    <message>
        <source>Delimiter: none</source>
        <translation>区切り文字: なし</translation>
    </message>
    <message>
        <source>Delimiter: %1</source>
        <translation>区切り文字: %1</translation>
    </message>
</context>
<context>
    <name>k470::gui::FailedDialog</name>
    <message>
        <source>Failed!</source>
        <translation>失敗しました</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>再試行</translation>
    </message>
    <message>
        <source>COM Setting</source>
        <translation>COM 設定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>k470::gui::KeyGridView</name>
    <message>
        <source>Keys</source>
        <translation>キー</translation>
    </message>
</context>
<context>
    <name>k470::gui::KeyPickerDialog</name>
    <message>
        <source>Add Shift</source>
        <translation>Shift を追加</translation>
    </message>
    <message>
        <source>Add Left Ctrl</source>
        <translation>左 Ctrl を追加</translation>
    </message>
    <message>
        <source>Add Left Alt</source>
        <translation>左 Alt を追加</translation>
    </message>
    <message>
        <source>Add Right Ctrl</source>
        <translation>右 Ctrl を追加</translation>
    </message>
    <message>
        <source>Add Right Alt</source>
        <translation>右 Alt を追加</translation>
    </message>
    <message>
        <source>ASCII Table</source>
        <translation>ASCII 表</translation>
    </message>
    <message>
        <source>Key Type</source>
        <translation>キーの種類</translation>
    </message>
    <message>
        <source>Scan Code</source>
        <translation>スキャンコード</translation>
    </message>
    <message>
        <source>Normal Key</source>
        <translation>通常キー</translation>
    </message>
    <message>
        <source>Key Status</source>
        <translation>キーの状態</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Resulting text :</source>
        <translation>結果のテキスト :</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>k470::gui::KeySequenceField</name>
    <message>
        <source>Press Enter, Space or Alt+Down to choose the keys</source>
        <translation>Enter、Space または Alt+Down でキーを選択します</translation>
    </message>
</context>
<context>
    <name>k470::gui::KeyboardInterfaceDialog</name>
    <message>
        <source>M912 HID</source>
        <translation>M912 HID</translation>
    </message>
    <message>
        <source>Bluetooth HID</source>
        <translation>Bluetooth HID</translation>
    </message>
    <message>
        <source>Keyboard Type :</source>
        <translation>キーボードの種類 :</translation>
    </message>
    <message>
        <source>Caps Lock State :</source>
        <translation>Caps Lock の状態 :</translation>
    </message>
    <message>
        <source>Caps Lock Type :</source>
        <translation>Caps Lock の種類 :</translation>
    </message>
    <message>
        <source>Character Transmit Mode :</source>
        <translation>文字送信モード :</translation>
    </message>
    <message>
        <source>Keyboard Layout :</source>
        <translation>キーボードレイアウト :</translation>
    </message>
    <message>
        <source>Alphabets Transmission :</source>
        <translation>英字の送信 :</translation>
    </message>
    <message>
        <source>Digits Transmission :</source>
        <translation>数字の送信 :</translation>
    </message>
    <message>
        <source>Digits Position :</source>
        <translation>数字の位置 :</translation>
    </message>
    <message>
        <source>Inter-Character Delay (0~254 ms) :</source>
        <translation>文字間遅延 (0~254 ms) :</translation>
    </message>
    <message>
        <source>Kanji Transmission</source>
        <translation>漢字送信</translation>
    </message>
    <message>
        <source>Discoverable</source>
        <translation>検出可能</translation>
    </message>
    <message>
        <source>BT Power Saving</source>
        <translation>BT 省電力</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>認証</translation>
    </message>
    <message>
        <source>SSP Mode</source>
        <translation>SSP モード</translation>
    </message>
    <message>
        <source>M912 S/N :</source>
        <translation>M912 シリアル番号 :</translation>
    </message>
    <message>
        <source>PIN Code :</source>
        <translation>PIN コード :</translation>
    </message>
</context>
<context>
    <name>k470::gui::MainWindow</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>新規作成(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>新しいドキュメントを作成します</translation>
    </message>
    <message>
        <source>&amp;Open	Ctrl+O</source>
        <translation>開く(&amp;O)	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>既存のドキュメントを開きます</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>アクティブなドキュメントを保存します</translation>
    </message>
    <message>
        <source>Save &amp;As...	Ctrl+Shift+S</source>
        <translation>名前を付けて保存(&amp;A)...	Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>アクティブなドキュメントを新しい名前で保存します</translation>
    </message>
    <message>
        <source>E&amp;xit	Alt+F4</source>
        <translation>終了(&amp;X)	Alt+F4</translation>
    </message>
    <message>
        <source>&amp;Configure Device	Ctrl+C</source>
        <translation>デバイスの設定(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <source>Configure device settings</source>
        <translation>デバイスの設定を編集します</translation>
    </message>
    <message>
        <source>&amp;Read Settings ...	Ctrl+R</source>
        <translation>設定の読み込み(&amp;R) ...	Ctrl+R</translation>
    </message>
    <message>
        <source>Read device settings</source>
        <translation>デバイスから設定を読み込みます</translation>
    </message>
    <message>
        <source>&amp;Download Settings ...	Ctrl+D</source>
        <translation>設定のダウンロード(&amp;D) ...	Ctrl+D</translation>
    </message>
    <message>
        <source>Download the current settings to the device</source>
        <translation>現在の設定をデバイスにダウンロードします</translation>
    </message>
    <message>
        <source>&amp;Battery Info. ...	Ctrl+B</source>
        <translation>バッテリー情報(&amp;B) ...	Ctrl+B</translation>
    </message>
    <message>
        <source>&amp;Memory Size ... 	Ctrl+M</source>
        <translation>メモリ容量(&amp;M) ... 	Ctrl+M</translation>
    </message>
    <message>
        <source>C&amp;lear Memory ... 	Ctrl+L</source>
        <translation>メモリのクリア(&amp;L) ... 	Ctrl+L</translation>
    </message>
    <message>
        <source>BT &amp;PIN Code ... 	Ctrl+P</source>
        <translation>BT PIN コード(&amp;P) ... 	Ctrl+P</translation>
    </message>
    <message>
        <source>&amp;Upload Memory Data ...	Ctrl+U</source>
        <translation>メモリデータのアップロード(&amp;U) ...	Ctrl+U</translation>
    </message>
    <message>
        <source>&amp;About	Ctrl+A</source>
        <translation>バージョン情報(&amp;A)	Ctrl+A</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>Failed!</source>
        <translation>失敗しました</translation>
    </message>
    <message>
        <source>The settings could not be opened from
%1

%2.</source>
        <translation>次のファイルから設定を開けませんでした:
%1

%2</translation>
    </message>
    <message>
        <source>%1

The file no longer exists. It has been removed from the recent files.</source>
        <translation>%1

このファイルは存在しません。最近使ったファイルの一覧から削除しました。</translation>
    </message>
    <message>
        <source>The settings could not be saved to
%1

%2.</source>
        <translation>次のファイルに設定を保存できませんでした:
%1

%2</translation>
    </message>
    <message>
        <source>K470Configuration</source>
        <translation>K470Configuration</translation>
    </message>
    <message>
        <source>The settings have been changed. Save them?</source>
        <translation>設定が変更されています。保存しますか?</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>バッテリー</translation>
    </message>
    <message>
        <source>Memory</source>
        <translation>メモリ</translation>
    </message>
    <message>
        <source>Clear Memory Successful!</source>
        <translation>メモリをクリアしました。</translation>
    </message>
</context>
<context>
    <name>k470::gui::NumericEdit</name>
    <message>
        <source>Increase</source>
        <translation>増やす</translation>
    </message>
    <message>
        <source>Decrease</source>
        <translation>減らす</translation>
    </message>
</context>
<context>
    <name>k470::gui::OperationPage</name>
    <message>
        <source>Operation Mode :</source>
        <translation>動作モード :</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>スキャンモード</translation>
    </message>
    <message>
        <source>Single TAG Mode</source>
        <translation>シングルタグモード</translation>
    </message>
    <message>
        <source>Multi-TAG Mode</source>
        <translation>マルチタグモード</translation>
    </message>
    <message>
        <source>Test Mode</source>
        <translation>テストモード</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>詳細設定</translation>
    </message>
    <message>
        <source>Memory Data</source>
        <translation>メモリデータ</translation>
    </message>
    <message>
        <source>Memory Mode</source>
        <translation>メモリモード</translation>
    </message>
    <message>
        <source>Memory Data Transmit Delay (ms) :</source>
        <translation>メモリデータ送信遅延 (ms) :</translation>
    </message>
    <message>
        <source>Output Format</source>
        <translation>出力形式</translation>
    </message>
    <message>
        <source>Transmission Buffer</source>
        <translation>送信バッファー</translation>
    </message>
    <message>
        <source>Transmit Delay (ms) :</source>
        <translation>送信遅延 (ms) :</translation>
    </message>
    <message>
        <source>Output Sequence :</source>
        <translation>出力順序 :</translation>
    </message>
    <message>
        <source>Data Format :</source>
        <translation>データ形式 :</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>カウンター</translation>
    </message>
    <message>
        <source>UHF Power On</source>
        <translation>UHF 電源オン時</translation>
    </message>
    <message>
        <source>New Connection</source>
        <translation>新規接続時</translation>
    </message>
    <message>
        <source>Left Padding Character :</source>
        <translation>左パディング文字 :</translation>
    </message>
    <message>
        <source>Reset Counter When :</source>
        <translation>カウンターのリセット条件 :</translation>
    </message>
    <message>
        <source>Timestamp</source>
        <translation>タイムスタンプ</translation>
    </message>
    <message>
        <source>Date Format :</source>
        <translation>日付形式 :</translation>
    </message>
    <message>
        <source>Time Format :</source>
        <translation>時刻形式 :</translation>
    </message>
    <message>
        <source>Timestamp Field Separator :</source>
        <translation>タイムスタンプ区切り文字 :</translation>
    </message>
    <message>
        <source>Timestamp Format :</source>
        <translation>タイムスタンプ形式 :</translation>
    </message>
    <message>
        <source>EPC Tag</source>
        <translation>EPC タグ</translation>
    </message>
    <message>
        <source>Prefix :</source>
        <translation>プレフィックス :</translation>
    </message>
    <message>
        <source>Suffix :</source>
        <translation>サフィックス :</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Output Sequence %1</source>
        <translation>出力順序 %1</translation>
    </message>
</context>
<context>
    <name>k470::gui::PinCodeDialog</name>
    <message>
        <source>Bluetooth PIN Code</source>
        <translation>Bluetooth PIN コード</translation>
    </message>
    <message>
        <source>Bluetooth PIN Code :</source>
        <translation>Bluetooth PIN コード :</translation>
    </message>
</context>
<context>
    <name>k470::gui::ProgressWindow</name>
    <message>
        <source>Downloading...</source>
        <translation>ダウンロード中...</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
</context>
<context>
    <name>k470::gui::RecentFilesMenu</name>
    <message>
        <source>Open &amp;Recent</source>
        <translation>最近使ったファイル(&amp;R)</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>クリア</translation>
    </message>
    <message>
        <source>Empty the list of recent files</source>
        <translation>最近使ったファイルの一覧を消去します</translation>
    </message>
</context>
<context>
    <name>k470::gui::ResultLine</name>
    <message>
        <source>Key sequence</source>
        <translation>キーシーケンス</translation>
    </message>
</context>
<context>
    <name>k470::gui::SerialInterfaceDialog</name>
    <message>
        <source>M912 VCOM</source>
        <translation>M912 VCOM</translation>
    </message>
    <message>
        <source>Bluetooth SPP Slave</source>
        <translation>Bluetooth SPP Slave</translation>
    </message>
    <message>
        <source>Discoverable</source>
        <translation>検出可能</translation>
    </message>
    <message>
        <source>BT Power Saving</source>
        <translation>BT 省電力</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>認証</translation>
    </message>
    <message>
        <source>SSP Mode</source>
        <translation>SSP モード</translation>
    </message>
    <message>
        <source>M912 S/N :</source>
        <translation>M912 シリアル番号 :</translation>
    </message>
    <message>
        <source>PIN Code :</source>
        <translation>PIN コード :</translation>
    </message>
</context>
<context>
    <name>k470::gui::SingleTagModeDialog</name>
    <message>
        <source>(%1~%2 digits/characters)</source>
        <translation>(%1~%2 桁/文字)</translation>
    </message>
    <message>
        <source>Single TAG Mode</source>
        <translation>シングルタグモード</translation>
    </message>
    <message>
        <source>Scanning Timeout (0~254 sec) :</source>
        <translation>スキャンのタイムアウト (0~254 sec) :</translation>
    </message>
    <message>
        <source>Delay Between Each Scan :</source>
        <translation>スキャン間隔 :</translation>
    </message>
    <message>
        <source>Multi-TAG Count</source>
        <translation>マルチタグ数</translation>
    </message>
    <message>
        <source>Counter Limit for Unique Tag Read :</source>
        <translation>固有タグ読み取り数の上限 :</translation>
    </message>
    <message>
        <source>Warn When Limit is Reached</source>
        <translation>上限に達したら警告する</translation>
    </message>
    <message>
        <source>Filter EPC</source>
        <translation>EPC フィルター</translation>
    </message>
    <message>
        <source>Filter Type :</source>
        <translation>フィルターの種類 :</translation>
    </message>
    <message>
        <source>TAG Type :</source>
        <translation>タグの種類 :</translation>
    </message>
    <message>
        <source>Filter Method : </source>
        <translation>フィルター方式 : </translation>
    </message>
    <message>
        <source>By EPC Filter Value</source>
        <translation>EPC フィルター値で</translation>
    </message>
    <message>
        <source>By GS1 Company Prefix</source>
        <translation>GS1 事業者コードで</translation>
    </message>
    <message>
        <source>By Item Reference</source>
        <translation>商品アイテムコードで</translation>
    </message>
    <message>
        <source>Filter Value :</source>
        <translation>フィルター値 :</translation>
    </message>
    <message>
        <source>Maximum number of digits in</source>
        <translation>以下の最大桁数</translation>
    </message>
    <message>
        <source>an item reference : </source>
        <translation>商品アイテムコード : </translation>
    </message>
    <message>
        <source>( 0~6 )</source>
        <translation>( 0~6 )</translation>
    </message>
    <message>
        <source>Pattern1 :</source>
        <translation>パターン1 :</translation>
    </message>
    <message>
        <source>Pattern2 :</source>
        <translation>パターン2 :</translation>
    </message>
    <message>
        <source>Multi-TAG Mode</source>
        <translation>マルチタグモード</translation>
    </message>
    <message>
        <source>No TAG type can be chosen for the filter: enable its TAG type on the TAG Type page.</source>
        <translation>フィルターに選択できるタグの種類がありません。[タグの種類] ページでタグの種類を有効にしてください。</translation>
    </message>
    <message>
        <source>Pattern1</source>
        <translation>パターン1</translation>
    </message>
    <message>
        <source>Pattern2</source>
        <translation>パターン2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>k470::gui::SystemPage</name>
    <message>
        <source>USB VCOM is always available.</source>
        <translation>USB VCOM は常に使用できます。</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>インターフェイス</translation>
    </message>
    <message>
        <source>Advanced</source>
        <translation>詳細設定</translation>
    </message>
    <message>
        <source>System Indicator</source>
        <translation>システムインジケーター</translation>
    </message>
    <message>
        <source>Low Battery Alert</source>
        <translation>バッテリー残量低下警告</translation>
    </message>
    <message>
        <source>Good Read LED</source>
        <translation>読み取り成功 LED</translation>
    </message>
    <message>
        <source>Good Read Vibrator</source>
        <translation>読み取り成功バイブレーター</translation>
    </message>
    <message>
        <source>System Beeper</source>
        <translation>システムブザー</translation>
    </message>
    <message>
        <source>Good Read Beep</source>
        <translation>読み取り成功ビープ音</translation>
    </message>
    <message>
        <source>Command Indicating Beep</source>
        <translation>コマンド通知ビープ音</translation>
    </message>
    <message>
        <source>Duration (1~254 * 10 ms) :</source>
        <translation>持続時間 (1~254 * 10 ms) :</translation>
    </message>
    <message>
        <source>Duration (1~254 * 100 ms):</source>
        <translation>持続時間 (1~254 * 100 ms):</translation>
    </message>
    <message>
        <source>Volume :</source>
        <translation>音量 :</translation>
    </message>
    <message>
        <source>Frequency :</source>
        <translation>周波数 :</translation>
    </message>
    <message>
        <source>Duration :</source>
        <translation>持続時間 :</translation>
    </message>
    <message>
        <source>Reader Timeout</source>
        <translation>リーダーのタイムアウト</translation>
    </message>
    <message>
        <source>Timeout to Power Saving (0~254) :</source>
        <translation>省電力までの時間 (0~254) :</translation>
    </message>
    <message>
        <source>minute</source>
        <translation>分</translation>
    </message>
    <message>
        <source>Timeout to Shutdown (0~254) :</source>
        <translation>シャットダウンまでの時間 (0~254) :</translation>
    </message>
    <message>
        <source>Output String for Event Monitoring</source>
        <translation>イベント監視用の出力文字列</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Output String</source>
        <translation>出力文字列</translation>
    </message>
    <message>
        <source>CR</source>
        <translation>CR</translation>
    </message>
    <message>
        <source>String %1 :</source>
        <translation>文字列 %1 :</translation>
    </message>
    <message>
        <source>RFID Power</source>
        <translation>RFID 出力</translation>
    </message>
    <message>
        <source>Power Lavel :</source>
        <translation>出力レベル :</translation>
    </message>
    <message>
        <source>( mix.: 0, max.: 3)</source>
        <translation>( 最小: 0, 最大: 3)</translation>
    </message>
    <message>
        <source>String %1 action</source>
        <translation>文字列 %1 の操作</translation>
    </message>
    <message>
        <source>String %1 output string</source>
        <translation>文字列 %1 の出力文字列</translation>
    </message>
    <message>
        <source>String %1 CR</source>
        <translation>文字列 %1 の CR</translation>
    </message>
</context>
<context>
    <name>k470::gui::TagTypePage</name>
    <message>
        <source>TAG Activation</source>
        <translation>タグの有効化</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべてクリア</translation>
    </message>
</context>
<context>
    <name>k470::gui::UploadDialog</name>
    <message>
        <source>Upload Memoried Data</source>
        <translation>メモリデータのアップロード</translation>
    </message>
    <message>
        <source>File Path :</source>
        <translation>ファイルパス :</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>参照</translation>
    </message>
</context>
</TS>
